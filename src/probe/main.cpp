// vezudiri-probe FILE: reads a protected PDF, its password on standard input, and prints what
// "pdfinfo -upw" would as one answer (core/pdf/probeanswer.h). The program starts it for every
// protected file with a time and a memory limit, so whatever poppler does with a hostile document
// ends with this process.
#include "core/pdf/probeanswer.h"
#include "probe/popplerprobe.h"

#include <QByteArray>
#include <QFile>

#include <cstdio>

namespace {

// Longer than any password a PDF can hold.
constexpr qsizetype passwordLimit = 64 * 1024;

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2)
        return 2;
    QByteArray password;
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;) {
        password.append(buffer, qsizetype(got));
        if (password.size() > passwordLimit)
            return 2;
    }
    if (std::ferror(stdin))
        return 2;

    const QByteArray answer = ProbeAnswer::encode(
        PopplerProbe::probe(QFile::decodeName(argv[1]), QString::fromUtf8(password)));
    const bool written =
        std::fwrite(answer.constData(), 1, size_t(answer.size()), stdout) == size_t(answer.size());
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}
