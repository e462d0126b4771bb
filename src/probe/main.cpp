// vezudiri-probe FILE: reads a protected PDF, its password on standard input, and prints what
// "pdfinfo -upw" would as one answer (core/pdf/probeanswer.h). The program starts it for every
// protected file with a time and a memory limit, so whatever poppler does with a hostile document
// ends with this process.
//
// vezudiri-probe alone: reads many PDFs without a password, their paths on standard input, each
// ended by a NUL (no other user reads them there, and their number has no limit), and prints one
// framed answer for each, in order, as "pdfinfo -box" would (probe/plainprobe.h), or an empty one
// where it could differ. Each answer is flushed as it is made: when a document takes this process
// down, its parent keeps the answers before it.
#include "core/pdf/probeanswer.h"
#include "probe/plainprobe.h"
#include "probe/popplerprobe.h"

#include <QByteArray>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include <stdio.h>

namespace {

// Longer than any password a PDF can hold.
constexpr qsizetype passwordLimit = 64 * 1024;

bool write(const QByteArray &bytes)
{
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) ==
               size_t(bytes.size()) &&
           std::fflush(stdout) == 0;
}

int probeOne(const char *path)
{
    QByteArray password;
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;) {
        password.append(buffer, qsizetype(got));
        if (password.size() > passwordLimit)
            return 2;
    }
    if (std::ferror(stdin))
        return 2;
    return write(ProbeAnswer::encode(
               PopplerProbe::probe(QFile::decodeName(path), QString::fromUtf8(password))))
               ? 0
               : 1;
}

int probeMany()
{
    // Each path as it comes: the first answers go out while the parent still writes.
    PlainProbe::prepare();
    char *path = nullptr;
    size_t capacity = 0;
    for (ssize_t length; (length = getdelim(&path, &capacity, '\0', stdin)) > 0;) {
        if (path[length - 1] != '\0')
            break;
        const std::optional<ProbeAnswer::Answer> answer =
            PlainProbe::probe(QByteArray(path, qsizetype(length - 1)));
        QByteArray bytes = answer ? ProbeAnswer::encode(*answer) : QByteArray();
        if (bytes.size() > ProbeAnswer::maxListedBytes)
            bytes.clear();
        if (!write(ProbeAnswer::frame(bytes))) {
            std::free(path);
            return 1;
        }
    }
    std::free(path);
    return std::ferror(stdin) ? 2 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 1)
        return probeMany();
    if (argc == 2)
        return probeOne(argv[1]);
    return 2;
}
