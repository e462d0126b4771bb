#include "cli/batchplan.h"

#include "core/engine/imagenumbers.h"
#include "core/engine/outputfolder.h"
#include "core/options/pageselection.h"
#include "core/pdf/folderscan.h"
#include "core/pdf/pdfprobe.h"

#include <QDir>
#include <QFileInfo>
#include <QThreadPool>
#include <QtConcurrent>

using namespace Qt::Literals::StringLiterals;

namespace {

// What the window's probe finds out, without ever asking: the passwords are tried in order, each
// through a pipe, so that none of them shows on a command line.
void probe(PlannedFile &file, const QStringList &passwords)
{
    PdfProbe::Result result = PdfProbe::probe(file.source);
    if (result.outcome == PdfProbe::Outcome::NotFinished) {
        file.failure = result.failure;
        return;
    }
    if (result.outcome == PdfProbe::Outcome::Unreadable) {
        file.failure = u"not a PDF that can be read"_s;
        return;
    }
    if (result.outcome == PdfProbe::Outcome::NeedsPassword) {
        result.outcome = PdfProbe::Outcome::WrongPassword;
        for (const QString &password : passwords) {
            result = PdfProbe::probe(file.source, password);
            if (result.outcome == PdfProbe::Outcome::NotFinished) {
                file.failure = result.failure;
                return;
            }
            if (result.outcome == PdfProbe::Outcome::Opened) {
                file.password = password;
                break;
            }
        }
    }
    if (result.outcome != PdfProbe::Outcome::Opened) {
        file.failure = passwords.isEmpty()
                           ? u"protected by a password, and none was given"_s
                           : u"protected by a password that none of those given opens"_s;
        return;
    }
    file.pageCount = result.pageCount;
    file.boxes = result.boxes;
}

PlannedFile planned(const QString &source, const QString &failure = QString())
{
    PlannedFile file;
    file.source = source;
    file.failure = failure;
    return file;
}

bool isPdfName(const QString &path)
{
    return path.endsWith(u".pdf"_s, Qt::CaseInsensitive);
}

const auto unreadable = u"not readable: its name is not valid UTF-8"_s;
const auto unreadableFolder =
    u"not readable: this folder's name is not valid UTF-8, so its PDFs cannot be reached"_s;

QList<PlannedFile> collect(const QStringList &paths)
{
    QList<PlannedFile> files;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            const QList<FolderScan::Entry> below = FolderScan::entriesBelow(path);
            qsizetype found = 0;
            for (const FolderScan::Entry &entry : below) {
                if (!entry.readable && (entry.folder || isPdfName(entry.path))) {
                    files.append(planned(entry.path, entry.folder ? unreadableFolder : unreadable));
                    ++found;
                } else if (entry.readable && isPdfName(entry.path)) {
                    files.append(planned(entry.path));
                    ++found;
                }
            }
            if (found == 0)
                files.append(planned(path, u"no PDF file in this folder"_s));
        } else if (info.isFile()) {
            files.append(planned(path));
        } else {
            files.append(planned(path, u"no such file or folder"_s));
        }
    }
    return files;
}

} // namespace

bool BatchPlan::fits() const
{
    return std::all_of(volumes.cbegin(), volumes.cend(), [](const DiskSpace::Volume &volume) {
        return volume.needed <= volume.available;
    });
}

BatchPlan BatchPlanner::plan(const BatchOptions &options, const BatchDefaults &defaults)
{
    BatchPlan plan;
    plan.files = collect(options.paths);

    QStringList passwords = options.passwords;
    if (!defaults.password.isEmpty())
        passwords << defaults.password;
    QThreadPool probes;
    probes.setMaxThreadCount(options.jobs > 0 ? options.jobs : defaults.jobs);
    QtConcurrent::blockingMap(&probes, plan.files, [&passwords](PlannedFile &file) {
        if (file.failure.isEmpty())
            probe(file, passwords);
    });

    const QString naming = options.naming.isEmpty() ? defaults.naming : options.naming;
    const QString templateText =
        options.naming.isEmpty() ? defaults.templateText : options.templateText;
    ImageNumbers numbers;
    QStringList folders;
    QList<std::pair<QString, qint64>> needs;
    for (qsizetype index = 0; index < plan.files.size(); ++index) {
        PlannedFile &file = plan.files[index];
        if (!file.failure.isEmpty())
            continue;
        if (!PageSelection::isAllPagesWord(options.pages) &&
            PageSelection::checkTyped(options.pages, file.pageCount) ==
                PageSelection::Typed::Rejected) {
            file.failure =
                u"the pages %1 are not all in this document of %2 pages"_s.arg(options.pages)
                    .arg(file.pageCount);
            continue;
        }
        FileChoices choices;
        choices.sourcePath = file.source;
        choices.pageCount = file.pageCount;
        choices.pages = options.pages;
        choices.outputFolder = options.outputFolder;
        choices.naming = naming;
        choices.namingTemplate = templateText;
        choices.namesByPage = naming == u"page";
        choices.format = options.format;
        choices.colour = options.colour;
        choices.dpi = options.dpi;
        choices.password = file.password;
        choices.merge = options.merge;
        ConversionJob &job = file.job;
        job = ConversionJob::from(int(index), choices);
        // Numbers go only to files that will run, as the run hands them out.
        job.firstNumber = numbers.next();

        file.folder = OutputFolder::freeName(job.parentFolder, job.baseName, folders);
        if (file.folder.isEmpty()) {
            file.failure = u"no output folder can be made in %1"_s.arg(
                QDir::toNativeSeparators(job.parentFolder));
            continue;
        }
        file.images = job.imageNames();
        const QString folderName = QFileInfo(file.folder).fileName();
        if (!OutputFolder::nameFits(folderName) ||
            !std::all_of(file.images.cbegin(), file.images.cend(), OutputFolder::nameFits)) {
            file.failure = u"the name %1 is too long for the file system"_s.arg(
                OutputFolder::nameFits(folderName) ? u"of its images"_s
                                                   : u"of its output folder"_s);
            file.images.clear();
            continue;
        }
        numbers.assign(int(job.pages.size()), job.merge);
        folders << file.folder;
        file.bytes = DiskSpace::jobBytes(job, file.boxes);
        needs.append({job.parentFolder, file.bytes});
    }
    plan.volumes = DiskSpace::volumes(needs);
    return plan;
}
