#pragma once

#include <QString>

// What a watched folder's entry is, looked at without following a link, without blocking on a
// FIFO or a device and without trusting another user's file: a PDF to take, one to look at again
// later (still empty, or not complete yet), or one refused with the reason.
namespace DropCheck {

struct Verdict
{
    enum Kind { Take, Wait, Refuse, Gone };
    Kind kind = Gone;
    QString reason;
    qint64 size = -1;
    qint64 modified = 0; // nanoseconds since the epoch
};

// largest: the size in bytes from which a file is refused.
Verdict examine(const QString &path, qint64 largest);

// Whether the name holds a control character, which a log line would carry to a terminal.
bool hasControlCharacter(const QString &name);

} // namespace DropCheck
