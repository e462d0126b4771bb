#include "cli/progressbar.h"

#include <QStringList>

#include <sys/ioctl.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QString duration(qint64 seconds)
{
    const auto two = [](qint64 value) {
        return QString::number(value).rightJustified(2, u'0');
    };
    if (seconds >= 3600)
        return QString::number(seconds / 3600) + u':' + two(seconds / 60 % 60) + u':' +
               two(seconds % 60);
    return QString::number(seconds / 60) + u':' + two(seconds % 60);
}

} // namespace

QString ProgressBar::line(int done, int total, qint64 elapsedMilliseconds, int columns)
{
    const int room = columns - 1;
    QStringList pieces = {
        u"%1%"_s.arg(total > 0 ? qint64(done) * 100 / total : 100, 3),
        u"%1/%2 pages"_s.arg(done).arg(total),
    };
    // Speed and time left once a page has shown how fast pages go.
    if (done > 0 && elapsedMilliseconds > 0) {
        const double perSecond = done * 1000.0 / double(elapsedMilliseconds);
        pieces << duration(qint64((total - done) / perSecond + 0.5)) + u" left"_s
               << u"%1 pages/s"_s.arg(perSecond, 0, 'f',
                                      perSecond < 1    ? 2
                                      : perSecond < 10 ? 1
                                                       : 0);
    }
    constexpr int shortestBar = 8;
    QString tail;
    for (const QString &piece : std::as_const(pieces)) {
        if (tail.size() + 1 + piece.size() + shortestBar > room)
            break;
        tail += u' ' + piece;
    }
    const int inside = room - int(tail.size()) - 2;
    if (tail.isEmpty() || inside < shortestBar - 2)
        return pieces.constFirst().trimmed().left(qMax(0, room));
    const int filled = total > 0 ? int(qint64(inside) * done / total) : inside;
    return u'[' + QString(filled, u'#') + QString(inside - filled, u'.') + u']' + tail;
}

int ProgressBar::terminalColumns(int descriptor)
{
    winsize size{};
    if (ioctl(descriptor, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    bool ok = false;
    const int columns = qEnvironmentVariableIntValue("COLUMNS", &ok);
    return ok && columns > 0 ? columns : 80;
}
