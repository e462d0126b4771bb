#include "cli/probing.h"

#include "core/pdf/pdfprobe.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString noPassword(const QStringList &passwords)
{
    return passwords.isEmpty() ? u"protected by a password, and none was given"_s
                               : u"protected by a password that none of those given opens"_s;
}

} // namespace

void Probing::probe(PlanEntry &entry, const QStringList &passwords)
{
    PdfProbe::Result result = PdfProbe::probe(entry.source);
    if (result.outcome == PdfProbe::Outcome::NotFinished) {
        entry.failure = u"pdfinfo could not be run, or did not answer"_s;
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
                entry.failure = u"could not be read in time"_s;
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

QString Probing::passwordFor(const QString &path, const QStringList &passwords, QString *failure)
{
    for (const QString &password : passwords) {
        if (PdfProbe::probe(path, password).outcome == PdfProbe::Outcome::Opened)
            return password;
    }
    *failure = noPassword(passwords);
    return {};
}
