#include "core/pdf/probeanswer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <iterator>

using namespace Qt::Literals::StringLiterals;

namespace ProbeAnswer {

namespace {

const struct
{
    Outcome outcome;
    QString name;
} outcomes[] = {
    {Outcome::Opened, u"opened"_s},
    {Outcome::WrongPassword, u"wrong password"_s},
    {Outcome::Unreadable, u"unreadable"_s},
};

const struct
{
    QString key;
    QString PdfInfo::Info::*value;
} texts[] = {
    {u"pages"_s, &PdfInfo::Info::pages},
    {u"encrypted"_s, &PdfInfo::Info::encrypted},
    {u"pageSize"_s, &PdfInfo::Info::pageSize},
    {u"fileSize"_s, &PdfInfo::Info::fileSize},
    {u"pdfVersion"_s, &PdfInfo::Info::pdfVersion},
    {u"creationDate"_s, &PdfInfo::Info::creationDate},
};

const auto sizeKey = u"fileSizeBytes"_s;
const auto boxesKey = u"boxes"_s;
const auto outcomeKey = u"outcome"_s;

std::optional<qint64> wholeNumber(const QJsonValue &value)
{
    if (!value.isDouble() || value.toDouble() != double(value.toInteger()))
        return {};
    return value.toInteger();
}

std::optional<PdfInfo::PageBox> boxOf(const QJsonValue &value)
{
    const QJsonArray box = value.toArray();
    if (!value.isArray() || box.size() != 3 || !box.at(0).isDouble() || !box.at(1).isDouble())
        return {};
    const double width = box.at(0).toDouble();
    const double height = box.at(1).toDouble();
    const std::optional<qint64> rotation = wholeNumber(box.at(2));
    if (!std::isfinite(width) || !std::isfinite(height) || width < 0 || height < 0 || !rotation ||
        *rotation < 0 || *rotation >= 360 || *rotation % 90 != 0)
        return {};
    return PdfInfo::PageBox{QSizeF(width, height), int(*rotation)};
}

} // namespace

QByteArray encode(const Answer &answer)
{
    QJsonObject object;
    for (const auto &outcome : outcomes) {
        if (outcome.outcome == answer.outcome)
            object.insert(outcomeKey, outcome.name);
    }
    if (answer.outcome == Outcome::Opened) {
        for (const auto &text : texts)
            object.insert(text.key, answer.info.*text.value);
        object.insert(sizeKey, answer.info.fileSizeBytes);
        QJsonArray boxes;
        for (const PdfInfo::PageBox &box : answer.boxes)
            boxes.append(QJsonArray{box.points.width(), box.points.height(), box.rotation});
        object.insert(boxesKey, boxes);
    }
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Compact);
    if (bytes.size() > maxBytes && !answer.boxes.isEmpty()) {
        Answer withoutBoxes = answer;
        withoutBoxes.boxes.clear();
        return encode(withoutBoxes);
    }
    return bytes;
}

std::optional<Answer> decode(const QByteArray &bytes)
{
    if (bytes.size() > maxBytes)
        return {};
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return {};
    const QJsonObject object = document.object();
    const QJsonValue outcome = object.value(outcomeKey);
    const auto named =
        std::find_if(std::cbegin(outcomes), std::cend(outcomes), [&outcome](const auto &known) {
            return outcome.isString() && outcome.toString() == known.name;
        });
    if (named == std::cend(outcomes))
        return {};
    Answer answer;
    answer.outcome = named->outcome;
    if (answer.outcome != Outcome::Opened)
        return object.size() == 1 ? std::optional(answer) : std::nullopt;

    // Every key once, and nothing else.
    if (object.size() != qsizetype(std::size(texts)) + 3)
        return {};
    for (const auto &text : texts) {
        const QJsonValue value = object.value(text.key);
        if (!value.isString())
            return {};
        answer.info.*text.value = value.toString();
    }
    bool counted = false;
    const int pages = answer.info.pages.toInt(&counted);
    const std::optional<qint64> size = wholeNumber(object.value(sizeKey));
    if (!counted || pages < 0 || answer.info.pages != QString::number(pages) || !size ||
        *size < 0 || answer.info.fileSize != u"%1 bytes"_s.arg(*size))
        return {};
    answer.info.fileSizeBytes = *size;

    const QJsonValue boxes = object.value(boxesKey);
    const QJsonArray list = boxes.toArray();
    if (!boxes.isArray() || (!list.isEmpty() && list.size() != pages))
        return {};
    for (const QJsonValue &value : list) {
        const std::optional<PdfInfo::PageBox> box = boxOf(value);
        if (!box)
            return {};
        answer.boxes.append(*box);
    }
    return answer;
}

QByteArray frame(const QByteArray &answer)
{
    return QByteArray::number(answer.size()) + '\n' + answer;
}

QList<QByteArray> unframe(const QByteArray &stream)
{
    QList<QByteArray> answers;
    for (qsizetype at = 0; at < stream.size();) {
        const qsizetype lineEnd = stream.indexOf('\n', at);
        const QByteArray digits = stream.mid(at, lineEnd - at);
        bool number = false;
        const qint64 length = digits.toLongLong(&number);
        // Exactly what frame() writes: no sign, space or leading zero.
        if (lineEnd < 0 || !number || QByteArray::number(length) != digits || length < 0 ||
            length > maxBytes || stream.size() - (lineEnd + 1) < length)
            break;
        answers.append(stream.mid(lineEnd + 1, qsizetype(length)));
        at = lineEnd + 1 + qsizetype(length);
    }
    return answers;
}

} // namespace ProbeAnswer
