#include "cli/runplan.h"

#include "core/engine/naming.h"
#include "core/engine/outputfolder.h"
#include "core/engine/planfolder.h"
#include "core/options/dpi.h"
#include "core/options/formats.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace {

const auto planKind = u"vezudiri plan"_s;

QJsonObject optionsJson(const BatchOptions &options)
{
    return {{u"pages"_s, options.pages},   {u"dpi"_s, options.dpi},
            {u"format"_s, options.format}, {u"colour"_s, options.colour},
            {u"merge"_s, options.merge},   {u"output"_s, options.outputFolder},
            {u"naming"_s, options.naming}, {u"template"_s, options.templateText}};
}

QJsonArray numbers(const QList<int> &values)
{
    QJsonArray array;
    for (const int value : values)
        array.append(value);
    return array;
}

// What a file was when planned and what was chosen for it: the plan's id is made from these
// alone, so that machines planning the same files the same way agree on it whatever folders
// they find taken.
QJsonObject inputJson(const PlanEntry &entry)
{
    QJsonObject object{{u"path"_s, entry.file.source}};
    if (entry.size >= 0) {
        object.insert(u"size"_s, entry.size);
        object.insert(u"modified"_s, entry.modified.toUTC().toString(Qt::ISODateWithMs));
    }
    if (!entry.file.failure.isEmpty()) {
        object.insert(u"failure"_s, entry.file.failure);
        return object;
    }
    object.insert(u"pageCount"_s, entry.file.pageCount);
    object.insert(u"protected"_s, entry.isProtected);
    object.insert(u"pages"_s, numbers(entry.file.job.pages));
    object.insert(u"firstNumber"_s, entry.file.job.firstNumber);
    return object;
}

QString idOf(const RunPlan &plan)
{
    QJsonArray files;
    for (const PlanEntry &entry : plan.files)
        files.append(inputJson(entry));
    const QJsonObject inputs{{u"version"_s, RunPlan::version},
                             {u"options"_s, optionsJson(plan.choices)},
                             {u"files"_s, files}};
    return QString::fromLatin1(
        QCryptographicHash::hash(QJsonDocument(inputs).toJson(QJsonDocument::Compact),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(32));
}

// name, name(1), ... in parent: the first that is free or already this plan's.
QString folderFor(const QString &parent, const QString &name, const QStringList &taken,
                  const QString &planId, const QDeadlineTimer &markWait)
{
    const FolderHandle handle = FolderHandle::open(parent);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QString candidate =
            attempt == 0 ? name : name + u'(' + QString::number(attempt) + u')';
        const QString path = QDir::cleanPath(parent + u'/' + candidate);
        if (taken.contains(path))
            continue;
        if (!handle.isOpen() || PlanFolder::stateOf(handle, candidate, planId, markWait).state !=
                                    PlanFolder::State::Foreign)
            return path;
    }
    return {};
}

QStringList strings(const QJsonValue &value)
{
    QStringList list;
    for (const QJsonValue &item : value.toArray())
        list << item.toString();
    return list;
}

QList<int> integers(const QJsonValue &value)
{
    QList<int> list;
    for (const QJsonValue &item : value.toArray())
        list << item.toInt();
    return list;
}

// The options of a plan, checked as the command line checks them.
bool readOptions(const QJsonObject &object, BatchOptions &options)
{
    options.pages = object.value(u"pages"_s).toString();
    options.dpi = object.value(u"dpi"_s).toInt();
    options.format = object.value(u"format"_s).toString();
    options.colour = object.value(u"colour"_s).toString();
    options.merge = object.value(u"merge"_s).toBool();
    options.outputFolder = object.value(u"output"_s).toString();
    options.naming = object.value(u"naming"_s).toString();
    options.templateText = object.value(u"template"_s).toString();
    return Formats::names().contains(options.format) &&
           (options.colour.isEmpty() ||
            Formats::colourChoices(options.format).contains(options.colour)) &&
           options.dpi >= Dpi::minimum && options.dpi <= Dpi::maximum &&
           (options.naming == u"source" || options.naming == u"number" ||
            options.naming == u"page" ||
            (options.naming == u"template" && Naming::isSafeTemplate(options.templateText))) &&
           (options.outputFolder.isEmpty() || QDir::isAbsolutePath(options.outputFolder));
}

// One file of a plan, its job made again from the plan's choices; false when the plan's names
// are not what those choices give.
bool readEntry(const QJsonObject &object, int index, const BatchOptions &options, PlanEntry &entry)
{
    PlannedFile &file = entry.file;
    file.source = object.value(u"path"_s).toString();
    entry.size = object.value(u"size"_s).toInteger(-1);
    entry.modified =
        QDateTime::fromString(object.value(u"modified"_s).toString(), Qt::ISODateWithMs);
    file.failure = object.value(u"failure"_s).toString();
    if (!QDir::isAbsolutePath(file.source))
        return false;
    if (!file.failure.isEmpty())
        return true;
    file.pageCount = object.value(u"pageCount"_s).toInt();
    entry.isProtected = object.value(u"protected"_s).toBool();
    file.folder = object.value(u"folder"_s).toString();
    file.images = strings(object.value(u"images"_s));
    file.bytes = object.value(u"bytes"_s).toInteger(-1);
    FileChoices choices;
    choices.sourcePath = file.source;
    choices.pageCount = file.pageCount;
    choices.pages = options.pages;
    choices.outputFolder = options.outputFolder;
    choices.naming = options.naming;
    choices.namingTemplate = options.templateText;
    choices.namesByPage = options.naming == u"page";
    choices.format = options.format;
    choices.colour = options.colour;
    choices.dpi = options.dpi;
    choices.merge = options.merge;
    file.job = ConversionJob::from(index, choices);
    file.job.firstNumber = object.value(u"firstNumber"_s).toInt();
    const QFileInfo folder(file.folder);
    return file.pageCount > 0 && file.job.firstNumber > 0 && entry.size >= 0 &&
           entry.modified.isValid() && file.job.pages == integers(object.value(u"pages"_s)) &&
           file.job.imageNames() == file.images &&
           QDir::cleanPath(folder.path()) == QDir::cleanPath(file.job.parentFolder) &&
           FolderHandle::isSingleName(folder.fileName());
}

} // namespace

RunPlan RunPlan::from(const BatchPlan &batch, const BatchOptions &options,
                      const BatchDefaults &defaults)
{
    RunPlan plan;
    plan.choices.pages = options.pages;
    plan.choices.dpi = options.dpi;
    plan.choices.format = options.format;
    plan.choices.colour = options.colour;
    plan.choices.merge = options.merge;
    plan.choices.outputFolder = options.outputFolder;
    plan.choices.naming = options.naming.isEmpty() ? defaults.naming : options.naming;
    plan.choices.templateText =
        options.naming.isEmpty() ? defaults.templateText : options.templateText;
    for (const PlannedFile &file : batch.files) {
        PlanEntry entry;
        entry.file = file;
        entry.isProtected = !file.password.isEmpty();
        entry.file.password.clear();
        const QFileInfo info(file.source);
        if (info.isFile()) {
            entry.size = info.size();
            entry.modified = info.lastModified().toUTC();
        }
        plan.files << entry;
    }
    plan.id = idOf(plan);
    // A plain run's folders are fresh, as the batch found them.
    if (!options.plan.planned() && options.plan.planOut.isEmpty())
        return plan;
    // Waiting for folders other shards are still marking is bounded for the whole planning.
    const QDeadlineTimer markWait(options.plan.sharded ? PlanFolder::markWaitMs : 0);
    QStringList taken;
    for (PlanEntry &entry : plan.files) {
        PlannedFile &file = entry.file;
        if (!file.failure.isEmpty())
            continue;
        file.folder = folderFor(file.job.parentFolder, file.job.baseName, taken, plan.id, markWait);
        if (file.folder.isEmpty() || !OutputFolder::nameFits(QFileInfo(file.folder).fileName())) {
            file.failure = u"no output folder can be made in %1"_s.arg(
                QDir::toNativeSeparators(file.job.parentFolder));
            file.images.clear();
            continue;
        }
        taken << file.folder;
    }
    return plan;
}

QByteArray RunPlan::toJson() const
{
    QJsonArray list;
    qint64 images = 0;
    qint64 bytes = 0;
    for (const PlanEntry &entry : files) {
        QJsonObject object = inputJson(entry);
        if (entry.file.failure.isEmpty()) {
            object.insert(u"folder"_s, entry.file.folder);
            object.insert(u"images"_s, QJsonArray::fromStringList(entry.file.images));
            object.insert(u"bytes"_s, entry.file.bytes);
            images += entry.file.images.size();
            bytes += qMax<qint64>(0, entry.file.bytes);
        }
        list.append(object);
    }
    const QJsonObject root{{u"plan"_s, planKind}, {u"version"_s, version},
                           {u"id"_s, id},         {u"options"_s, optionsJson(choices)},
                           {u"files"_s, list},    {u"images"_s, images},
                           {u"bytes"_s, bytes}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact) + '\n';
}

RunPlan RunPlan::fromJson(const QByteArray &json, QString *wrong)
{
    RunPlan plan;
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(json, &error).object();
    if (error.error != QJsonParseError::NoError || root.value(u"plan"_s) != planKind) {
        *wrong = u"it is no plan of vezudiri"_s;
        return {};
    }
    if (root.value(u"version"_s).toInt() != version) {
        *wrong = u"it is a plan of another version; make it again"_s;
        return {};
    }
    if (!readOptions(root.value(u"options"_s).toObject(), plan.choices)) {
        *wrong = u"its options are not valid"_s;
        return {};
    }
    const QJsonArray files = root.value(u"files"_s).toArray();
    for (const QJsonValue &value : files) {
        PlanEntry entry;
        if (!readEntry(value.toObject(), int(plan.files.size()), plan.choices, entry)) {
            *wrong = u"the entry of %1 is not what its choices give"_s.arg(entry.file.source);
            return {};
        }
        plan.files << entry;
    }
    plan.id = root.value(u"id"_s).toString();
    if (plan.id != idOf(plan)) {
        *wrong = u"it was changed after it was made"_s;
        return {};
    }
    return plan;
}

QString RunPlans::changedSince(const PlanEntry &entry)
{
    const QFileInfo info(entry.file.source);
    if (!info.isFile())
        return u"the file is gone since the plan was made"_s;
    if (info.size() != entry.size ||
        info.lastModified().toMSecsSinceEpoch() != entry.modified.toMSecsSinceEpoch())
        return u"the file was changed since the plan was made (its size or modification time)"_s;
    return {};
}

QList<RunPlans::Slice> RunPlans::shard(const QList<int> &images, const QList<bool> &whole,
                                       int shard, int shards)
{
    qint64 total = 0;
    for (const int count : images)
        total += count;
    // Shard k holds the images from k * total / shards up to the next shard's first.
    const auto start = [total, shards](qint64 k) {
        return k * total / shards;
    };
    QList<Slice> slices;
    qint64 position = 0;
    for (int file = 0; file < images.size(); ++file) {
        const int count = images.at(file);
        if (count == 0 || whole.value(file)) {
            const qint64 middle2 = 2 * position + count;
            const qint64 owner =
                total == 0 ? 0 : qMin<qint64>(shards - 1, middle2 * shards / (2 * total));
            if (owner == shard)
                slices.append({file, 0, count});
        } else {
            const qint64 from = qMax(position, start(shard));
            const qint64 to = qMin(position + count, start(shard + 1));
            if (from < to)
                slices.append({file, int(from - position), int(to - from)});
        }
        position += count;
    }
    return slices;
}
