#include "probe/popplerprobe.h"

#include "core/pdf/pdfinfo.h"
#include "probe/printedbox.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <locale.h>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

void ignorePopplerMessage(const std::string &, void *)
{}

// pdfinfo formats numbers and dates in the C locale; this thread does so while it lives, whatever
// locale the program was started in.
class CLocale final
{
public:
    CLocale()
        : c(newlocale(LC_ALL_MASK, "C", locale_t(nullptr)))
        , previous(uselocale(c))
    {}
    ~CLocale()
    {
        uselocale(previous);
        freelocale(c);
    }
    Q_DISABLE_COPY_MOVE(CLocale)

private:
    locale_t c;
    locale_t previous;
};

// The C library's formatting, as pdfinfo's; Qt's own rounds some halves the other way.
QString cFormat(const char *format, double first, double second = 0)
{
    char text[128] = {};
    const int length = std::snprintf(text, sizeof text, format, first, second);
    return QString::fromLatin1(text, qBound(0, length, int(sizeof text) - 1));
}

QString text(const poppler::ustring &value)
{
    const poppler::byte_array bytes = value.to_utf8();
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

QString yesNo(bool value)
{
    return value ? u"yes"_s : u"no"_s;
}

int rotationOf(const poppler::page &page)
{
    switch (page.orientation()) {
    case poppler::page::landscape:
        return 90;
    case poppler::page::upside_down:
        return 180;
    case poppler::page::seascape:
        return 270;
    case poppler::page::portrait:
        break;
    }
    return 0;
}

// "612 x 792 pts (letter)": the crop box as it lies, whatever the rotation, named when it is Letter
// within a point or one of A0 to A6 within 0.3 % of its long side.
QString pageSizeText(const poppler::page &page)
{
    const poppler::rectf crop = page.page_rect(poppler::crop_box);
    const double width = crop.width();
    const double height = crop.height();
    const QString size = cFormat("%g x %g pts", width, height);
    const auto near = [width, height](double w, double h, double threshold) {
        return (std::fabs(width - w) < threshold && std::fabs(height - h) < threshold) ||
               (std::fabs(width - h) < threshold && std::fabs(height - w) < threshold);
    };
    if (near(612, 792, 1))
        return size + u" (letter)"_s;
    double isoHeight = std::sqrt(std::sqrt(2.0)) * 7200 / 2.54;
    double isoWidth = isoHeight / std::sqrt(2.0);
    double threshold = isoHeight * 0.003;
    for (int number = 0; number <= 6; ++number) {
        if (near(isoWidth, isoHeight, threshold))
            return size + u" (A%1)"_s.arg(number);
        isoHeight = isoWidth;
        isoWidth /= std::sqrt(2.0);
        threshold /= std::sqrt(2.0);
    }
    return size;
}

// "%c %Z" of the C locale in local time, as pdfinfo prints dates it can read; other text as it is.
QString dateText(const poppler::document &document, const std::string &key)
{
    const QString raw = text(document.info_key(key));
    const time_t seconds = document.info_date_t(key);
    if (raw.isEmpty() || seconds == time_t(-1))
        return raw;
    tm local{};
    // The zone as the environment names it now, as a pdfinfo started now would read it.
    tzset();
    localtime_r(&seconds, &local);
    char buffer[256] = {};
    const size_t length = strftime(buffer, sizeof buffer, "%c %Z", &local);
    return QString::fromLocal8Bit(buffer, qsizetype(length));
}

// The cipher pdfinfo names; poppler's C++ binding does not tell it, so it is read from the
// encryption dictionary, which is never compressed or encrypted itself.
QString cipherOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return u"unknown"_s;
    const uchar *mapped = file.map(0, file.size());
    if (!mapped)
        return u"unknown"_s;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), qsizetype(file.size()));
    // The trailer's entry, not a longer name such as /EncryptMetadata.
    const auto longerName = [&bytes](qsizetype at) {
        return at + 8 < bytes.size() &&
               std::isalnum(static_cast<unsigned char>(bytes.at(at + 8))) != 0;
    };
    qsizetype entry = bytes.lastIndexOf("/Encrypt");
    while (entry > 0 && longerName(entry))
        entry = bytes.lastIndexOf("/Encrypt", entry - 1);
    if (entry < 0 || longerName(entry))
        return u"unknown"_s;
    QString dictionary = QString::fromLatin1(bytes.mid(entry + 8, 4096));
    static const QRegularExpression reference(uR"(^\s*(\d+)\s+(\d+)\s+R)"_s);
    if (const QRegularExpressionMatch match = reference.match(dictionary); match.hasMatch()) {
        const QByteArray header =
            match.captured(1).toLatin1() + ' ' + match.captured(2).toLatin1() + " obj";
        qsizetype start = bytes.lastIndexOf(header);
        while (start > 0 && QByteArrayView("0123456789").contains(bytes.at(start - 1)))
            start = bytes.lastIndexOf(header, start - 1);
        if (start < 0)
            return u"unknown"_s;
        const qsizetype end = bytes.indexOf("endobj", start);
        dictionary = QString::fromLatin1(bytes.mid(start, end < 0 ? 4096 : end - start));
    }
    static const QRegularExpression version(uR"(/V\s+(\d+))"_s);
    static const QRegularExpression method(uR"(/CFM\s*/(\w+))"_s);
    const int v = version.match(dictionary).captured(1).toInt();
    const QString cfm = method.match(dictionary).captured(1);
    if (v == 5 || cfm == u"AESV3")
        return u"AES-256"_s;
    if (cfm == u"AESV2")
        return u"AES"_s;
    return v >= 1 && v <= 4 ? u"RC4"_s : u"unknown"_s;
}

QString encryptionText(const poppler::document &document, const QString &path)
{
    if (!document.is_encrypted())
        return u"no"_s;
    return u"yes (print:%1 copy:%2 change:%3 addNotes:%4 algorithm:%5)"_s.arg(
        yesNo(document.has_permission(poppler::perm_print)),
        yesNo(document.has_permission(poppler::perm_copy)),
        yesNo(document.has_permission(poppler::perm_change)),
        yesNo(document.has_permission(poppler::perm_add_notes)), cipherOf(path));
}

} // namespace

ProbeAnswer::Answer PopplerProbe::probe(const QString &path, const QString &password)
{
    using ProbeAnswer::Outcome;
    // Errors in a damaged file are the caller's answer, not lines on standard error.
    poppler::set_debug_error_function(ignorePopplerMessage, nullptr);
    const CLocale c;

    ProbeAnswer::Answer result;
    const std::unique_ptr<poppler::document> document(poppler::document::load_from_file(
        QFile::encodeName(path).toStdString(), std::string(), password.toStdString()));
    if (!document)
        return result;
    if (document->is_locked()) {
        result.outcome = Outcome::WrongPassword;
        return result;
    }

    PdfInfo::Info &info = result.info;
    const int pages = document->pages();
    info.pages = QString::number(pages);
    info.encrypted = encryptionText(*document, path);
    int major = 0;
    int minor = 0;
    document->get_pdf_version(&major, &minor);
    info.pdfVersion = u"%1.%2"_s.arg(major).arg(minor);
    info.creationDate = dateText(*document, "CreationDate");
    info.fileSizeBytes = QFileInfo(path).size();
    info.fileSize = u"%1 bytes"_s.arg(info.fileSizeBytes);

    for (int index = 0; index < pages; ++index) {
        const std::unique_ptr<poppler::page> page(document->create_page(index));
        if (!page) {
            result.boxes.clear();
            break;
        }
        if (index == 0)
            info.pageSize = pageSizeText(*page);
        const poppler::rectf media = page->page_rect(poppler::media_box);
        result.boxes.append(
            {PrintedBox::size(media.left(), media.top(), media.right(), media.bottom()),
             rotationOf(*page)});
    }
    result.outcome = Outcome::Opened;
    return result;
}
