#include "cli/probing.h"

#include "core/pdf/pdfprobe.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString noPassword(const QStringList &passwords)
{
    return passwords.isEmpty() ? u"protected by a password, and none was given"_s
                               : u"protected by a password that none of those given opens"_s;
}

// The entry as its first probe found it, a protected one opened with the first password that fits.
void settle(PlanEntry &entry, const QStringList &passwords, PdfProbe::Result result)
{
    if (result.outcome == PdfProbe::Outcome::NotFinished) {
        entry.failure = result.failure;
        return;
    }
    if (result.outcome == PdfProbe::Outcome::Unreadable) {
        entry.failure = u"not a PDF that can be read"_s;
        return;
    }
    if (result.outcome == PdfProbe::Outcome::NeedsPassword) {
        entry.isProtected = true;
        result.outcome = PdfProbe::Outcome::WrongPassword;
        for (const QString &password : passwords) {
            result = PdfProbe::probe(entry.source, password);
            if (result.outcome == PdfProbe::Outcome::NotFinished) {
                entry.failure = result.failure;
                return;
            }
            if (result.outcome == PdfProbe::Outcome::Opened) {
                entry.password = password;
                break;
            }
        }
    }
    if (result.outcome != PdfProbe::Outcome::Opened) {
        entry.failure = noPassword(passwords);
        return;
    }
    entry.pageCount = result.pageCount;
    entry.boxes = result.boxes;
}

} // namespace

void Probing::probe(const QList<PlanEntry *> &entries, const QStringList &passwords)
{
    QStringList paths;
    for (const PlanEntry *entry : entries)
        paths << entry->source;
    const QList<PdfProbe::Result> results = PdfProbe::probeAll(paths);
    for (qsizetype at = 0; at < entries.size(); ++at)
        settle(*entries.at(at), passwords, results.at(at));
}

QString Probing::passwordFor(const QString &path, const QStringList &passwords, QString *failure)
{
    for (const QString &password : passwords) {
        const PdfProbe::Result probed = PdfProbe::probe(path, password);
        if (probed.outcome == PdfProbe::Outcome::Opened)
            return password;
        // A probe that fails is the reason, not a password that does not open the file.
        if (probed.outcome != PdfProbe::Outcome::WrongPassword) {
            *failure = probed.failure;
            return {};
        }
    }
    *failure = noPassword(passwords);
    return {};
}
