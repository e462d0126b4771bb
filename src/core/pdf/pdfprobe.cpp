#include "core/pdf/pdfprobe.h"

#include "core/pdf/pdfinfo.h"
#include "core/pdf/popplerprobe.h"
#include "core/platform/tools.h"

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
    return {PdfProbe::Outcome::Opened, pageCountOf(info), info.fileSizeBytes, boxes};
}

PdfProbe::Result only(PdfProbe::Outcome outcome)
{
    return {outcome, 0, -1, {}};
}

} // namespace

namespace PdfProbe {

Result probe(const QString &path)
{
    const Tools::Result result =
        Tools::run(PdfInfoCommand::probe(path).command, PdfInfoCommand::timeout());
    if (!result.finished)
        return only(Outcome::NotFinished);
    const PdfInfo::Info info = PdfInfo::parse(result.standardOutput);
    if (result.succeeded() && pageCountOf(info) > 0)
        return opened(info, PdfInfo::parsePageBoxes(result.standardOutput));
    return only(result.standardError.contains("password") ? Outcome::NeedsPassword
                                                          : Outcome::Unreadable);
}

Result probe(const QString &path, const QString &password)
{
    const PopplerProbe::Result result = PopplerProbe::probe(path, password);
    if (result.outcome == PopplerProbe::Outcome::TimedOut)
        return only(Outcome::NotFinished);
    if (result.outcome != PopplerProbe::Outcome::Opened || pageCountOf(result.info) <= 0)
        return only(Outcome::WrongPassword);
    return opened(result.info, result.boxes);
}

} // namespace PdfProbe
