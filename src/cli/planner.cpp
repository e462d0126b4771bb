#include "cli/planner.h"

#include "cli/pagerange.h"
#include "cli/plancodec.h"
#include "cli/probing.h"
#include "cli/roomsample.h"
#include "core/engine/completionrecord.h"
#include "core/engine/diskspace.h"
#include "core/engine/imagenumbers.h"
#include "core/engine/outputfolder.h"
#include "core/engine/planfolder.h"
#include "core/pdf/folderscan.h"
#include "core/pdf/pdfprobe.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QThreadPool>
#include <QtConcurrent>

#include <climits>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

PlanEntry planned(const QString &source, const QString &failure = QString())
{
    PlanEntry entry;
    entry.source = source;
    entry.failure = failure;
    return entry;
}

bool isPdfName(const QString &path)
{
    return path.endsWith(u".pdf"_s, Qt::CaseInsensitive);
}

const auto unreadable = u"not readable: its name is not valid UTF-8"_s;
const auto unreadableFolder =
    u"not readable: this folder's name is not valid UTF-8, so its PDFs cannot be reached"_s;

QList<PlanEntry> collect(const QStringList &paths)
{
    QList<PlanEntry> entries;
    // A PDF named twice, or also found in a folder, is converted once, where it came first.
    QSet<QString> seen;
    const auto add = [&entries, &seen](PlanEntry entry) {
        const QString file = QFileInfo(entry.source).canonicalFilePath();
        if (file.isEmpty() || !seen.contains(file)) {
            seen.insert(file);
            entries.append(entry);
        }
    };
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            const QList<FolderScan::Entry> below = FolderScan::entriesBelow(path);
            qsizetype found = 0;
            for (const FolderScan::Entry &entry : below) {
                PlanEntry file;
                if (!entry.readable && (entry.folder || isPdfName(entry.path)))
                    file = planned(entry.path, entry.folder ? unreadableFolder : unreadable);
                else if (entry.readable && isPdfName(entry.path))
                    file = planned(entry.path);
                else
                    continue;
                file.tree = path;
                add(file);
                ++found;
            }
            if (found == 0)
                entries.append(planned(path, u"no PDF file in this folder"_s));
        } else if (info.isFile()) {
            add(planned(path));
        } else {
            entries.append(planned(path, u"no such file or folder"_s));
        }
    }
    return entries;
}

// name, name(1), ... in parent: the first not taken by this plan that is missing or carries
// the mark markFor gives for it.
QString folderFor(const QString &parent, const QString &name, const QStringList &taken,
                  const std::function<QString(const QString &)> &markFor,
                  const QDeadlineTimer &markWait)
{
    const FolderHandle handle = FolderHandle::open(parent);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QString candidate =
            attempt == 0 ? name : name + u'(' + QString::number(attempt) + u')';
        const QString path = QDir::cleanPath(parent + u'/' + candidate);
        if (taken.contains(path))
            continue;
        if (!handle.isOpen() ||
            PlanFolder::stateOf(handle, candidate, markFor(path), markWait).state !=
                PlanFolder::State::Foreign)
            return path;
    }
    return {};
}

// The folder name, name(1), ... in the job's parent that holds its conversion already, up to the
// first name not taken, where a run would make the next one.
QString completedFolder(const ConversionJob &job, const PdfIdentity &pdf)
{
    const FolderHandle parent = FolderHandle::open(job.parentFolder);
    for (int attempt = 0; parent.isOpen() && attempt < 1000; ++attempt) {
        const QString name =
            attempt == 0 ? job.baseName : job.baseName + u'(' + QString::number(attempt) + u')';
        if (parent.kindOf(name) == FolderHandle::Kind::Missing)
            break;
        if (CompletionRecord::isCurrent(parent, name, pdf, job.completionKey))
            return parent.filePath(name);
    }
    return {};
}

// The job, names, folder and room of an entry that will run; its failure otherwise.
void layOut(Plan &plan, int index, ImageNumbers &numbers, QStringList &folders,
            const ConvertOptions &options, const QDeadlineTimer &markWait, double bytesPerPixel)
{
    PlanEntry &entry = plan.entries[index];
    const QString &pages = plan.choices.pages;
    const PageRange::Selected selected = PageRange::of(pages, entry.pageCount);
    if (selected.pages.isEmpty()) {
        entry.failure = u"none of the pages %1 is in this document of %2 pages"_s.arg(pages).arg(
            entry.pageCount);
        return;
    }
    if (selected.clipped)
        entry.note = u"the pages past its last page, %1, are left out"_s.arg(entry.pageCount);
    if (entry.pageCount > Plans::maximumPageCount) {
        entry.failure = u"it claims more pages than a PDF can hold"_s;
        return;
    }
    ConversionJob &job = entry.job;
    job = Plans::jobFor(plan.choices, entry.source, entry.pageCount, index, entry.tree);
    if (!Plans::sizePages(job, plan.choices, entry.boxes)) {
        job.pageDpi.clear();
        if (plan.choices.scale().inPixels()) {
            entry.failure = u"the sizes of its pages cannot be read"_s;
            return;
        }
    }
    if (plan.choices.skipExisting) {
        // Only incremental runs pay for the record's flushes; the next one of them trusts it.
        job.completionKey = PlanCodec::optionsKey(plan.choices);
        entry.skipped = completedFolder(job, PdfIdentity::of(entry.source));
        if (!entry.skipped.isEmpty()) {
            job = ConversionJob();
            return;
        }
    }
    // Numbers go only to files that will run, as the run hands them out.
    job.firstNumber = numbers.next();
    if (qint64(job.firstNumber) + job.pages.size() - 1 > INT_MAX) {
        entry.failure = u"the run has more images than it can number"_s;
        return;
    }
    entry.images = job.imageNames();
    entry.bytes = DiskSpace::jobBytes(job, entry.boxes, bytesPerPixel);
    if (options.planned() || !options.planOut.isEmpty()) {
        const auto markFor = [&plan, index](const QString &folder) {
            PlanEntry candidate = plan.entries.at(index);
            candidate.folder = folder;
            return PlanCodec::folderMark(plan, index, candidate);
        };
        entry.folder = folderFor(job.parentFolder, job.baseName, folders, markFor, markWait);
    } else {
        entry.folder = OutputFolder::freeName(job.parentFolder, job.baseName, folders);
    }
    const QString folderName = QFileInfo(entry.folder).fileName();
    if (entry.folder.isEmpty()) {
        entry.failure =
            u"no output folder can be made in %1"_s.arg(QDir::toNativeSeparators(job.parentFolder));
    } else if (!OutputFolder::nameFits(folderName) ||
               !std::all_of(entry.images.cbegin(), entry.images.cend(), OutputFolder::nameFits)) {
        entry.failure = u"the name %1 is too long for the file system"_s.arg(
            OutputFolder::nameFits(folderName) ? u"of its images"_s : u"of its output folder"_s);
    }
    if (!entry.failure.isEmpty()) {
        entry.images.clear();
        entry.folder.clear();
        return;
    }
    numbers.assign(int(job.pages.size()), job.merge);
    folders << entry.folder;
}

} // namespace

Plan Planner::plan(const ConvertOptions &options, const BatchDefaults &defaults)
{
    Plan plan;
    plan.choices = options.choices;
    plan.entries = collect(options.paths);
    // The file as it was before it was probed: a change while it is probed shows later.
    for (PlanEntry &entry : plan.entries) {
        const QFileInfo info(entry.source);
        if (info.isFile()) {
            entry.size = info.size();
            entry.modified = info.lastModified().toUTC();
        }
    }

    QStringList passwords = options.passwords;
    if (!defaults.password.isEmpty())
        passwords << defaults.password;
    QThreadPool probes;
    probes.setMaxThreadCount(options.jobs > 0 ? options.jobs : defaults.jobs);
    QList<PlanEntry *> toProbe;
    for (PlanEntry &entry : plan.entries) {
        if (entry.failure.isEmpty())
            toProbe << &entry;
    }
    const qsizetype perList = PdfProbe::listLength(toProbe.size(), probes.maxThreadCount());
    QList<QList<PlanEntry *>> lists;
    for (qsizetype at = 0; at < toProbe.size(); at += perList)
        lists << toProbe.mid(at, perList);
    QtConcurrent::blockingMap(&probes, lists, [&passwords](const QList<PlanEntry *> &list) {
        Probing::probe(list, passwords);
    });

    ImageNumbers numbers;
    QStringList folders;
    // Waiting for folders other shards are still marking is bounded for the whole planning.
    const QDeadlineTimer markWait(options.sharded ? PlanFolder::markWaitMs : 0);
    const double bytesPerPixel = RoomSample::bytesPerPixel(plan);
    for (int index = 0; index < plan.entries.size(); ++index) {
        if (plan.entries.at(index).failure.isEmpty())
            layOut(plan, index, numbers, folders, options, markWait, bytesPerPixel);
    }
    plan.id = PlanCodec::idOf(plan);
    return plan;
}
