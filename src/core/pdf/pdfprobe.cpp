#include "core/pdf/pdfprobe.h"

#include "core/pdf/pdfinfo.h"
#include "core/pdf/probeanswer.h"
#include "core/pdf/protectedprobe.h"
#include "core/platform/tools.h"

#include <QFile>

#include <algorithm>
#include <iterator>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// A page count the tool really printed, or 0.
int pageCountOf(const PdfInfo::Info &info)
{
    bool ok = false;
    const int pages = info.pages.trimmed().toInt(&ok);
    return ok ? pages : 0;
}

PdfProbe::Result opened(const PdfInfo::Info &info, const QList<PdfInfo::PageBox> &boxes)
{
    return {PdfProbe::Outcome::Opened, pageCountOf(info), info.fileSizeBytes, boxes, {}};
}

PdfProbe::Result only(PdfProbe::Outcome outcome, const QString &failure = QString())
{
    return {outcome, 0, -1, {}, failure};
}

Tools::Result pdfinfo(const PdfInfoCommand::Invocation &invocation)
{
    return Tools::run(invocation.command,
                      {PdfInfoCommand::timeout(), PdfInfoCommand::outputLimit(), 0});
}

// The child's answers for the paths, in order: fewer than the paths when it stopped early.
QList<QByteArray> childAnswers(const QStringList &paths)
{
    QByteArray list;
    for (const QString &path : paths)
        list += QFile::encodeName(path) + '\0';
    // A frame's length line besides each answer.
    constexpr qint64 frameBytes = ProbeAnswer::maxListedBytes + 16;
    const Tools::Result ran = Tools::run(
        {u"vezudiri-probe"_s, {}},
        {PdfInfoCommand::timeout(), frameBytes * paths.size(), ProtectedProbe::memoryLimit()},
        list);
    return ProbeAnswer::unframe(ran.standardOutput).mid(0, paths.size());
}

// What probe(path) returns for the child's answer, or nothing when it gave none that counts.
std::optional<PdfProbe::Result> resultOf(const QByteArray &bytes)
{
    const std::optional<ProbeAnswer::Answer> answer = ProbeAnswer::decode(bytes);
    if (!answer)
        return {};
    if (answer->outcome == ProbeAnswer::Outcome::WrongPassword)
        return only(PdfProbe::Outcome::NeedsPassword);
    const int pages = pageCountOf(answer->info);
    if (answer->outcome != ProbeAnswer::Outcome::Opened || pages <= 0 ||
        answer->boxes.size() != pages)
        return {};
    return opened(answer->info, answer->boxes);
}

// A path the list carries whole, and that pdfinfo reads as a file name: not one of its options,
// "-" (its standard input) or a name poppler reads as a place ("fd://0").
bool listable(const QString &path)
{
    return !path.isEmpty() && !path.contains(QChar(0)) && !path.startsWith(u'-') &&
           !path.contains(u"://"_s);
}

} // namespace

namespace PdfProbe {

Result probe(const QString &path)
{
    Tools::Result result = pdfinfo(PdfInfoCommand::probe(path));
    // Page boxes beyond what is read (a document of very many pages): its page count alone, and
    // the room its images need stays unknown.
    const bool boxesCut = result.tooMuchOutput;
    if (boxesCut)
        result = pdfinfo(PdfInfoCommand::pageCount(path));
    if (!result.finished && !result.tooMuchOutput)
        return only(Outcome::NotFinished, u"pdfinfo could not be run, or did not answer"_s);
    const PdfInfo::Info info = PdfInfo::parse(result.standardOutput);
    if (result.succeeded() && pageCountOf(info) > 0)
        return opened(info, boxesCut ? QList<PdfInfo::PageBox>()
                                     : PdfInfo::parsePageBoxes(result.standardOutput));
    // Far more than a document's properties: nothing a PDF that can be read makes it write.
    if (result.tooMuchOutput)
        return only(Outcome::Unreadable);
    return only(result.standardError.contains("password") ? Outcome::NeedsPassword
                                                          : Outcome::Unreadable);
}

Result probe(const QString &path, const QString &password)
{
    const ProtectedProbe::Result result = ProtectedProbe::probe(path, password);
    if (result.outcome == ProtectedProbe::Outcome::Failed)
        return only(Outcome::NotFinished, result.failure);
    if (result.outcome != ProtectedProbe::Outcome::Opened || pageCountOf(result.info) <= 0)
        return only(Outcome::WrongPassword);
    return opened(result.info, result.boxes);
}

QList<Result> probeAll(const QStringList &paths)
{
    QStringList listed;
    std::copy_if(paths.cbegin(), paths.cend(), std::back_inserter(listed), listable);
    const QList<QByteArray> answers = listed.isEmpty() ? QList<QByteArray>() : childAnswers(listed);
    QList<Result> results;
    qsizetype answered = 0;
    for (const QString &path : paths) {
        std::optional<Result> result;
        if (listable(path) && answered < answers.size())
            result = resultOf(answers.at(answered++));
        results.append(result ? *result : probe(path));
    }
    return results;
}

qsizetype listLength(qsizetype files, int threads)
{
    constexpr qsizetype longest = 64;
    const qsizetype shares = qMax(1, threads);
    return qBound<qsizetype>(1, (files + shares - 1) / shares, longest);
}

} // namespace PdfProbe
