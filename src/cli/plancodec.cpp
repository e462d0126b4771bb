#include "cli/plancodec.h"

#include "core/engine/diskspace.h"
#include "core/engine/imagenumbers.h"
#include "core/engine/outputfolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <climits>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

const auto planKind = u"vezudiri plan"_s;

// A folder of one PDF is its name, or the name with (1) to (999): the free ones a run tries.
constexpr int folderAttempts = 1000;

QJsonObject choicesJson(const BatchChoices &choices)
{
    QJsonObject object;
    for (const ConvertOption &option : ConvertOptionTable::all()) {
        if (option.inPlan)
            object.insert(option.key(), option.valueOf(choices));
    }
    return object;
}

QJsonObject entryJson(const PlanEntry &entry)
{
    QJsonObject object{{u"path"_s, entry.source}};
    if (!entry.tree.isEmpty())
        object.insert(u"tree"_s, entry.tree);
    if (entry.size >= 0) {
        object.insert(u"size"_s, entry.size);
        object.insert(u"modified"_s, entry.modified.toUTC().toString(Qt::ISODateWithMs));
    }
    if (!entry.failure.isEmpty()) {
        object.insert(u"failure"_s, entry.failure);
        return object;
    }
    if (!entry.skipped.isEmpty()) {
        object.insert(u"skipped"_s, entry.skipped);
        return object;
    }
    QJsonArray pages;
    for (const int page : entry.job.pages)
        pages.append(page);
    object.insert(u"pageCount"_s, entry.pageCount);
    object.insert(u"protected"_s, entry.isProtected);
    object.insert(u"pages"_s, pages);
    object.insert(u"firstNumber"_s, entry.job.firstNumber);
    object.insert(u"folder"_s, entry.folder);
    object.insert(u"images"_s, QJsonArray::fromStringList(entry.images));
    object.insert(u"bytes"_s, entry.bytes);
    return object;
}

// The plan without its id, as the id is made from it.
QJsonObject body(const Plan &plan)
{
    QJsonArray files;
    qint64 images = 0;
    qint64 bytes = 0;
    for (const PlanEntry &entry : plan.entries) {
        files.append(entryJson(entry));
        if (entry.runs()) {
            images += entry.images.size();
            bytes = DiskSpace::sum(bytes, qMax<qint64>(0, entry.bytes));
        }
    }
    return {{u"plan"_s, planKind},
            {u"version"_s, Plan::version},
            {u"options"_s, choicesJson(plan.choices)},
            {u"files"_s, files},
            {u"images"_s, images},
            {u"bytes"_s, bytes}};
}

QString digest(const QJsonObject &object)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(QJsonDocument(object).toJson(QJsonDocument::Compact),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(32));
}

std::optional<qint64> whole(const QJsonValue &value, qint64 lowest, qint64 highest)
{
    const double number = value.toDouble(std::nan(""));
    if (!value.isDouble() || !(number >= double(lowest) && number <= double(highest)) ||
        std::floor(number) != number)
        return std::nullopt;
    return qint64(number);
}

// A field of the plan that is not what it must be.
struct Fault
{
    QString field;
    QString problem;
};

class Reader
{
public:
    std::optional<Plan> read(const QJsonObject &root, PlanError *error);

private:
    std::optional<Fault> readChoices(const QJsonValue &value);
    std::optional<Fault> readEntry(const QJsonObject &object, int index, PlanEntry &entry);
    std::optional<Fault> checkLayout(const QJsonObject &object, PlanEntry &entry, int index);

    Plan plan;
    ImageNumbers numbers;
    QSet<QString> folders;
};

std::optional<Fault> onlyKeys(const QJsonObject &object, const QStringList &keys,
                              const QString &prefix = QString())
{
    for (const QString &key : keys) {
        if (!object.contains(key))
            return Fault{prefix + key, u"is missing"_s};
    }
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        if (!keys.contains(it.key()))
            return Fault{prefix + it.key(), u"is no field of a plan"_s};
    }
    return std::nullopt;
}

std::optional<Fault> Reader::readChoices(const QJsonValue &value)
{
    if (!value.isObject())
        return Fault{u"options"_s, u"must be an object"_s};
    const QJsonObject object = value.toObject();
    QStringList keys;
    for (const ConvertOption &option : ConvertOptionTable::all()) {
        if (option.inPlan)
            keys << option.key();
    }
    if (std::optional<Fault> fault = onlyKeys(object, keys, u"options."_s))
        return fault;
    ConvertOptions options;
    for (const ConvertOption &option : ConvertOptionTable::all()) {
        if (!option.inPlan)
            continue;
        const QString wrong = option.take(options, object.value(option.key()));
        if (!wrong.isEmpty())
            return Fault{u"options."_s + option.key(), wrong};
    }
    plan.choices = options.choices;
    return std::nullopt;
}

std::optional<Fault> Reader::readEntry(const QJsonObject &object, int index, PlanEntry &entry)
{
    const QJsonValue path = object.value(u"path"_s);
    entry.source = path.toString();
    if (!path.isString() || !QDir::isAbsolutePath(entry.source) ||
        QDir::cleanPath(entry.source) != entry.source || entry.source.contains(QChar()))
        return Fault{u"path"_s, u"must be an absolute path without . or .. in it"_s};
    QStringList optional;
    if (object.contains(u"tree"_s)) {
        const QJsonValue tree = object.value(u"tree"_s);
        entry.tree = tree.toString();
        if (!tree.isString() || !QDir::isAbsolutePath(entry.tree) ||
            QDir::cleanPath(entry.tree) != entry.tree ||
            !entry.source.startsWith(entry.tree + u'/'))
            return Fault{u"tree"_s, u"must be an absolute folder without . or .. that holds the "
                                    "file"_s};
        optional << u"tree"_s;
    }
    const bool existed = object.contains(u"size"_s) || object.contains(u"modified"_s);
    const bool ends = object.contains(u"failure"_s) || object.contains(u"skipped"_s);
    if (existed || !ends) {
        const std::optional<qint64> size =
            whole(object.value(u"size"_s), 0, PlanCodec::largestBytes);
        if (!size)
            return Fault{u"size"_s, u"must be a whole number of bytes"_s};
        entry.size = *size;
        entry.modified =
            QDateTime::fromString(object.value(u"modified"_s).toString(), Qt::ISODateWithMs);
        if (!entry.modified.isValid())
            return Fault{u"modified"_s, u"must be a date and time such as "
                                        "2025-02-08T12:23:13.000Z"_s};
    }
    if (object.contains(u"skipped"_s)) {
        QStringList keys = QStringList{u"path"_s, u"skipped"_s} + optional;
        if (existed)
            keys << u"size"_s << u"modified"_s;
        if (std::optional<Fault> fault = onlyKeys(object, keys))
            return fault;
        entry.skipped = object.value(u"skipped"_s).toString();
        if (!plan.choices.skipExisting || !QDir::isAbsolutePath(entry.skipped) ||
            QDir::cleanPath(entry.skipped) != entry.skipped)
            return Fault{u"skipped"_s, u"must be the absolute folder of an earlier run, with "
                                       "--skip-existing"_s};
        return std::nullopt;
    }
    if (object.contains(u"failure"_s)) {
        QStringList keys = QStringList{u"path"_s, u"failure"_s} + optional;
        if (existed)
            keys << u"size"_s << u"modified"_s;
        if (std::optional<Fault> fault = onlyKeys(object, keys))
            return fault;
        entry.failure = object.value(u"failure"_s).toString();
        if (entry.failure.isEmpty())
            return Fault{u"failure"_s, u"must say why the file is not converted"_s};
        return std::nullopt;
    }
    if (std::optional<Fault> fault =
            onlyKeys(object, QStringList{u"path"_s, u"size"_s, u"modified"_s, u"pageCount"_s,
                                         u"protected"_s, u"pages"_s, u"firstNumber"_s, u"folder"_s,
                                         u"images"_s, u"bytes"_s} +
                                 optional))
        return fault;
    const std::optional<qint64> pageCount =
        whole(object.value(u"pageCount"_s), 1, Plans::maximumPageCount);
    if (!pageCount)
        return Fault{u"pageCount"_s,
                     u"must be a whole number from 1 to %1"_s.arg(Plans::maximumPageCount)};
    entry.pageCount = int(*pageCount);
    if (!object.value(u"protected"_s).isBool())
        return Fault{u"protected"_s, u"must be true or false"_s};
    entry.isProtected = object.value(u"protected"_s).toBool();
    const std::optional<qint64> bytes =
        whole(object.value(u"bytes"_s), -1, PlanCodec::largestBytes);
    if (!bytes)
        return Fault{u"bytes"_s, u"must be a whole number from -1 (unknown) to %1"_s.arg(
                                     PlanCodec::largestBytes)};
    entry.bytes = *bytes;
    return checkLayout(object, entry, index);
}

// The pages, numbers, names and folder: each what the plan's choices give for this PDF.
std::optional<Fault> Reader::checkLayout(const QJsonObject &object, PlanEntry &entry, int index)
{
    ConversionJob &job = entry.job;
    job = Plans::jobFor(plan.choices, entry.source, entry.pageCount, index, entry.tree);
    const QJsonArray pages = object.value(u"pages"_s).toArray();
    bool samePages = object.value(u"pages"_s).isArray() && pages.size() == job.pages.size();
    for (qsizetype page = 0; samePages && page < job.pages.size(); ++page)
        samePages = whole(pages.at(page), 1, entry.pageCount) == job.pages.at(page);
    if (!samePages)
        return Fault{u"pages"_s, u"must be the pages the selection %1 gives for %2 pages"_s
                                     .arg(plan.choices.pages)
                                     .arg(entry.pageCount)};

    const std::optional<qint64> first = whole(object.value(u"firstNumber"_s), 1, INT_MAX);
    if (!first || *first != numbers.next())
        return Fault{
            u"firstNumber"_s,
            u"must be %1, the number after the images of the files before"_s.arg(numbers.next())};
    if (*first + job.pages.size() - 1 > INT_MAX)
        return Fault{u"firstNumber"_s, u"leaves no number for every image"_s};
    job.firstNumber = int(*first);

    const QJsonArray images = object.value(u"images"_s).toArray();
    const QStringList names = job.imageNames();
    bool sameNames = object.value(u"images"_s).isArray() && images.size() == names.size();
    for (qsizetype name = 0; sameNames && name < names.size(); ++name)
        sameNames = images.at(name) == QJsonValue(names.at(name));
    if (!sameNames)
        return Fault{u"images"_s, u"must be the names the plan's choices give"_s};
    if (!std::all_of(names.cbegin(), names.cend(), OutputFolder::nameFits))
        return Fault{u"images"_s, u"holds a name too long for the file system"_s};
    entry.images = names;

    const QJsonValue folder = object.value(u"folder"_s);
    entry.folder = folder.toString();
    const QFileInfo info(entry.folder);
    const QString name = info.fileName();
    bool numbered = false;
    const int attempt = name.startsWith(job.baseName + u'(') && name.endsWith(u')')
                            ? name.mid(job.baseName.size() + 1).chopped(1).toInt(&numbered)
                            : 0;
    const bool ownName =
        name == job.baseName || (numbered && attempt >= 1 && attempt < folderAttempts &&
                                 name == job.baseName + u'(' + QString::number(attempt) + u')');
    if (!folder.isString() || QDir::cleanPath(entry.folder) != entry.folder ||
        info.path() != QDir::cleanPath(job.parentFolder) || !ownName ||
        !OutputFolder::nameFits(name))
        return Fault{u"folder"_s, u"must be %1 or %1(N) in %2"_s.arg(
                                      job.baseName, QDir::toNativeSeparators(job.parentFolder))};
    if (folders.contains(entry.folder))
        return Fault{u"folder"_s, u"is the folder of an entry before"_s};
    folders.insert(entry.folder);
    numbers.assign(int(job.pages.size()), job.merge);
    return std::nullopt;
}

std::optional<Plan> Reader::read(const QJsonObject &root, PlanError *error)
{
    const auto refused = [error](const Fault &fault, int entry = -1, const QString &path = {}) {
        *error = {entry, path, fault.field, fault.problem};
        return std::nullopt;
    };
    if (root.value(u"plan"_s) != planKind)
        return refused({{}, u"it is no plan of vezudiri"_s});
    if (root.value(u"version"_s) != Plan::version)
        return refused({u"version"_s, u"this program reads plans of version %1 only; make the "
                                      "plan again with --plan-out"_s.arg(Plan::version)});
    if (std::optional<Fault> fault = onlyKeys(root, {u"plan"_s, u"version"_s, u"id"_s, u"options"_s,
                                                     u"files"_s, u"images"_s, u"bytes"_s}))
        return refused(*fault);
    if (std::optional<Fault> fault = readChoices(root.value(u"options"_s)))
        return refused(*fault);
    if (!root.value(u"files"_s).isArray())
        return refused({u"files"_s, u"must be a list"_s});
    const QJsonArray files = root.value(u"files"_s).toArray();
    for (int index = 0; index < files.size(); ++index) {
        const QJsonObject object = files.at(index).toObject();
        PlanEntry entry;
        if (!files.at(index).isObject())
            return refused({{}, u"must be an object"_s}, index);
        if (std::optional<Fault> fault = readEntry(object, index, entry))
            return refused(*fault, index, object.value(u"path"_s).toString());
        plan.entries << entry;
    }
    const QJsonObject made = body(plan);
    for (const QString &total : {u"images"_s, u"bytes"_s}) {
        if (root.value(total) != made.value(total))
            return refused({total, u"must be the sum over the files"_s});
    }
    plan.id = root.value(u"id"_s).toString();
    if (plan.id != digest(made))
        return refused({u"id"_s, u"does not match the plan, which was changed after it was "
                                 "made; make it again with --plan-out"_s});
    return plan;
}

} // namespace

QString PlanError::text() const
{
    QString where;
    if (entry >= 0)
        where = u"files[%1]"_s.arg(entry) +
                (path.isEmpty() ? QString() : u" (%1)"_s.arg(QDir::toNativeSeparators(path)));
    if (!field.isEmpty())
        where += (where.isEmpty() ? QString() : u", "_s) + field;
    return where.isEmpty() ? problem : where + u": "_s + problem;
}

QByteArray PlanCodec::write(const Plan &plan)
{
    QJsonObject root = body(plan);
    root.insert(u"id"_s, plan.id);
    return QJsonDocument(root).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<Plan> PlanCodec::read(const QByteArray &json, PlanError *error)
{
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parsed);
    if (parsed.error != QJsonParseError::NoError) {
        *error = {
            -1,
            {},
            {},
            u"it is no JSON (%1 at byte %2): cut short or not a plan"_s.arg(parsed.errorString())
                .arg(parsed.offset)};
        return std::nullopt;
    }
    if (!document.isObject()) {
        *error = {-1, {}, {}, u"it is no plan of vezudiri"_s};
        return std::nullopt;
    }
    return Reader().read(document.object(), error);
}

QString PlanCodec::idOf(const Plan &plan)
{
    return digest(body(plan));
}

QString PlanCodec::optionsKey(const BatchChoices &choices)
{
    QJsonObject shaping = choicesJson(choices);
    for (const QString &where : {u"output"_s, u"flat"_s, u"skip-existing"_s})
        shaping.remove(where);
    return digest(shaping);
}

QString PlanCodec::folderMark(const Plan &plan, int index, const PlanEntry &entry)
{
    return digest({{u"version"_s, Plan::version},
                   {u"options"_s, choicesJson(plan.choices)},
                   {u"index"_s, index},
                   {u"file"_s, entryJson(entry)}});
}
