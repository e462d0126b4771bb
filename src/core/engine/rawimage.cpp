#include "core/engine/rawimage.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool fail(QString *error, const QString &name, const QString &why)
{
    if (error)
        *error = QCoreApplication::translate("RawImage", "Cannot read the image %1: %2")
                     .arg(QDir::toNativeSeparators(name), why);
    return false;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The header's reader: white space and "#" comments between decimal numbers.
class Header
{
public:
    explicit Header(const QByteArray &data)
        : data(data)
    {}

    void skipSpace()
    {
        while (at < data.size()) {
            if (isSpace(data.at(at))) {
                ++at;
            } else if (data.at(at) == '#') {
                while (at < data.size() && data.at(at) != '\n')
                    ++at;
            } else {
                return;
            }
        }
    }
    // At most 7 digits: no side or sample range of a real page needs more.
    bool number(int *value)
    {
        skipSpace();
        qint64 read = 0;
        int digits = 0;
        while (at < data.size() && data.at(at) >= '0' && data.at(at) <= '9' && digits < 8) {
            read = read * 10 + (data.at(at) - '0');
            ++at;
            ++digits;
        }
        if (digits == 0 || digits > 7)
            return false;
        *value = int(read);
        return true;
    }
    // The one white space character that ends the header.
    bool endOfHeader()
    {
        if (at >= data.size() || !isSpace(data.at(at)))
            return false;
        ++at;
        return true;
    }
    qsizetype position() const { return at; }

private:
    const QByteArray &data;
    qsizetype at = 2;
};

// Up to size bytes from offset on; fewer only at the end of the file. -1 on an error.
qint64 readAt(int fd, void *into, qint64 size, qint64 offset)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, static_cast<char *>(into) + done, size_t(size - done),
                                    off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

} // namespace

bool RawImage::read(int fd, const QString &name, RawImage *image, QString *error)
{
    const auto broken = [&](const QString &why) {
        return fail(error, name, why);
    };
    const auto systemError = [&] {
        return broken(QString::fromLocal8Bit(std::strerror(errno)));
    };
    struct stat status;
    if (::fstat(fd, &status) != 0)
        return systemError();
    if (!S_ISREG(status.st_mode))
        return broken(QCoreApplication::translate("RawImage", "it is not a regular file."));

    // The renderer's header is well under this; a longer one is refused.
    constexpr qsizetype headerRoom = 1024;
    QByteArray head(headerRoom, Qt::Uninitialized);
    qint64 got = readAt(fd, head.data(), headerRoom, 0);
    if (got < 0)
        return systemError();
    head.truncate(qsizetype(got));
    int channels = 0;
    if (head.startsWith("P5"))
        channels = 1;
    else if (head.startsWith("P6"))
        channels = 3;
    else
        return broken(QCoreApplication::translate("RawImage", "it is not a raw PNM image."));
    Header header(head);
    int width = 0;
    int height = 0;
    int maxValue = 0;
    if (!header.number(&width) || !header.number(&height) || !header.number(&maxValue) ||
        !header.endOfHeader())
        return broken(QCoreApplication::translate("RawImage", "its header is damaged."));
    if (maxValue != 255)
        return broken(QCoreApplication::translate("RawImage", "it has %1 levels a sample, not 256.")
                          .arg(qint64(maxValue) + 1));
    if (width < 1 || height < 1 || qint64(width) * height > maxPixels)
        return broken(QCoreApplication::translate(
                          "RawImage", "it is %1 x %2 pixels; at most %3 million are read.")
                          .arg(width)
                          .arg(height)
                          .arg(maxPixels / 1000000));
    const qint64 bytes = qint64(width) * height * channels;
    const qint64 present = qint64(status.st_size) - header.position();
    if (present != bytes)
        return broken(
            QCoreApplication::translate("RawImage", "it holds %1 bytes of pixels instead of %2.")
                .arg(qMax<qint64>(0, present))
                .arg(bytes));
    image->pixels.resize(size_t(bytes));
    got = readAt(fd, image->pixels.data(), bytes, header.position());
    char beyond = 0;
    if (got < 0)
        return systemError();
    // The file may have changed since its size was taken: exactly the pixels, nothing after.
    if (got != bytes || readAt(fd, &beyond, 1, header.position() + bytes) != 0) {
        image->pixels.clear();
        return broken(QCoreApplication::translate("RawImage", "it changed while it was read."));
    }
    image->width = width;
    image->height = height;
    image->channels = channels;
    return true;
}
