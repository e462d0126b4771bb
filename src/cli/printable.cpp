#include "cli/printable.h"

using namespace Qt::Literals::StringLiterals;

QString printable(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        if (code < 0x20 || (code >= 0x7f && code <= 0x9f))
            shown += u"\\x"_s + QString::number(code, 16).rightJustified(2, u'0');
        else
            shown += character;
    }
    return shown;
}
