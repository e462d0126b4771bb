#pragma once

#include "core/pdf/pdfinfo.h"

#include <QByteArray>
#include <QList>

#include <optional>

// What vezudiri-probe, the child that reads a protected PDF, answers its parent. The child has
// parsed a hostile document, so its answer is read as hostile too: field by field, and refused
// whole when anything in it is not what the child writes.
namespace ProbeAnswer {

enum class Outcome {
    Opened,
    WrongPassword,
    Unreadable, // missing, or not a PDF poppler can read
};

struct Answer
{
    Outcome outcome = Outcome::Unreadable;
    PdfInfo::Info info;            // as "pdfinfo -upw PASSWORD FILE" prints it
    QList<PdfInfo::PageBox> boxes; // every page's, or none when they do not fit maxBytes
};

// The longest answer the parent reads; a child that writes more is stopped.
constexpr qint64 maxBytes = 4 * 1024 * 1024;
// The longest answer for a file of a list: room for the boxes of the pages the child answers for
// (probe/plainprobe.h), so that a list of many files is read within little memory.
constexpr qint64 maxListedBytes = 1024 * 1024;

// At most maxBytes: an answer whose page boxes would make it longer leaves them out.
QByteArray encode(const Answer &answer);
// Empty for anything encode() does not write.
std::optional<Answer> decode(const QByteArray &bytes);

// One answer of many on a stream: its length in decimal digits, a line end, then its bytes. An
// empty answer is the child's own "ask pdfinfo".
QByteArray frame(const QByteArray &answer);
// The answers of the stream's complete frames, in order, up to the first that is cut short or not
// a frame; an answer longer than maxBytes ends them too.
QList<QByteArray> unframe(const QByteArray &stream);

} // namespace ProbeAnswer
