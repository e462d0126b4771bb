#include "core/engine/tiffpages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <QSet>
#include <QtEndian>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr quint16 pageNumberTag = 297;
constexpr quint16 shortType = 3;
constexpr int maxDirectories = 4096;

class TiffFile
{
public:
    explicit TiffFile(QFile &file)
        : file(file)
    {}

    bool readHeader()
    {
        const QByteArray head = file.read(16);
        if (head.size() < 8 || (!head.startsWith("II") && !head.startsWith("MM")))
            return false;
        little = head.startsWith("II");
        const quint16 magic = number<quint16>(head.constData() + 2);
        if (magic == 42) {
            firstDirectory = number<quint32>(head.constData() + 4);
            return true;
        }
        if (magic == 43 && head.size() == 16 && number<quint16>(head.constData() + 4) == 8) {
            big = true;
            firstDirectory = number<quint64>(head.constData() + 8);
            return true;
        }
        return false;
    }

    // Walks the chain of directories; false when one cannot be read or the chain loops.
    bool clearEveryDirectory()
    {
        QSet<quint64> seen;
        for (quint64 at = firstDirectory; at != 0; at = nextDirectory) {
            if (seen.contains(at) || seen.size() >= maxDirectories || !clearDirectory(at))
                return false;
            seen.insert(at);
        }
        return true;
    }

private:
    template <typename T> T number(const char *data) const
    {
        return little ? qFromLittleEndian<T>(data) : qFromBigEndian<T>(data);
    }

    bool clearDirectory(quint64 at)
    {
        const int countSize = big ? 8 : 2;
        const int entrySize = big ? 20 : 12;
        if (!file.seek(qint64(at)))
            return false;
        const QByteArray countBytes = file.read(countSize);
        if (countBytes.size() != countSize)
            return false;
        const quint64 count =
            big ? number<quint64>(countBytes.constData()) : number<quint16>(countBytes.constData());
        if (count > 65535)
            return false;
        const QByteArray entries = file.read(qint64(count) * entrySize + (big ? 8 : 4));
        if (entries.size() != qint64(count) * entrySize + (big ? 8 : 4))
            return false;
        for (quint64 index = 0; index < count; ++index) {
            const char *entry = entries.constData() + index * entrySize;
            const quint64 values = big ? number<quint64>(entry + 4) : number<quint32>(entry + 4);
            if (number<quint16>(entry) != pageNumberTag ||
                number<quint16>(entry + 2) != shortType || values != 2)
                continue;
            // Two short values fit in the entry itself.
            const qint64 valueAt =
                qint64(at) + countSize + qint64(index) * entrySize + (big ? 12 : 8);
            if (!file.seek(valueAt) || file.write(QByteArray(4, '\0')) != 4)
                return false;
        }
        const char *next = entries.constData() + count * entrySize;
        nextDirectory = big ? number<quint64>(next) : number<quint32>(next);
        return true;
    }

    QFile &file;
    bool little = true;
    bool big = false;
    quint64 firstDirectory = 0;
    quint64 nextDirectory = 0;
};

} // namespace

bool TiffPages::clearPageNumber(const FolderHandle &folder, const QString &name, QString *error)
{
    const auto failed = [&](const QString &why) {
        if (error)
            *error = QCoreApplication::translate("TiffPages", "Cannot finish the TIFF file %1: %2")
                         .arg(QDir::toNativeSeparators(folder.filePath(name)), why);
        return false;
    };
    const int fd = folder.openFile(name, O_RDWR);
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return failed(fd < 0 ? QString::fromLocal8Bit(std::strerror(folder.error()))
                             : file.errorString());
    }
    TiffFile tiff(file);
    if (!tiff.readHeader() || !tiff.clearEveryDirectory())
        return failed(QCoreApplication::translate("TiffPages", "it is no valid TIFF file."));
    if (!file.flush())
        return failed(file.errorString());
    return true;
}

Tools::Command TiffPages::joinCommand(const QStringList &pages, const QString &joined)
{
    return {u"tiffcp.exe "_s, QStringList(pages) << joined};
}
