#include "core/pdf/protectedprobe.h"

#include "core/pdf/probeanswer.h"
#include "core/platform/tools.h"

#include <atomic>

using namespace Qt::Literals::StringLiterals;

namespace {

std::atomic<qint64> memoryLimitBytes{VEZ_CHILD_MEMORY_LIMIT};

ProtectedProbe::Result failed(const QString &why)
{
    ProtectedProbe::Result result;
    result.failure = why;
    return result;
}

} // namespace

ProtectedProbe::Result ProtectedProbe::probe(const QString &path, const QString &password)
{
    const Tools::Result ran = Tools::run(
        {u"vezudiri-probe"_s, {path}},
        {PdfInfoCommand::timeout(), ProbeAnswer::maxBytes, memoryLimit()}, password.toUtf8());
    if (!ran.started)
        return failed(u"vezudiri-probe, the reader of protected PDFs, could not be started"_s);
    if (!ran.finished && !ran.tooMuchOutput)
        return failed(u"could not be read in time"_s);
    if (ran.finished && ran.exitStatus == QProcess::CrashExit)
        return failed(u"could not be read: its reader crashed or ran out of memory"_s);
    const std::optional<ProbeAnswer::Answer> answer =
        ran.succeeded() ? ProbeAnswer::decode(ran.standardOutput) : std::nullopt;
    if (!answer)
        return failed(u"could not be read: its reader gave no valid answer"_s);

    Result result;
    switch (answer->outcome) {
    case ProbeAnswer::Outcome::Opened:
        result.outcome = Outcome::Opened;
        break;
    case ProbeAnswer::Outcome::WrongPassword:
        result.outcome = Outcome::WrongPassword;
        break;
    case ProbeAnswer::Outcome::Unreadable:
        result.outcome = Outcome::Unreadable;
        break;
    }
    result.info = answer->info;
    result.boxes = answer->boxes;
    return result;
}

qint64 ProtectedProbe::memoryLimit()
{
    return memoryLimitBytes;
}

void ProtectedProbe::setMemoryLimit(qint64 bytes)
{
    memoryLimitBytes = bytes;
}
