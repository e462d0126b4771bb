#pragma once

#include <QList>
#include <QObject>

#include <csignal>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP arrive here as a Qt signal, in the event loop, so the program can
// end as closing it does: a run still going is stopped and the renderers go with it. A watch
// also takes SIGUSR1 this way. One instance at a time.
class TerminationSignals final : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr,
                                QList<int> signalNumbers = {SIGTERM, SIGINT, SIGHUP});
    ~TerminationSignals() override;
    Q_DISABLE_COPY_MOVE(TerminationSignals)

signals:
    void received(int signalNumber);

private:
    void readPending();

    QList<int> handled;
    int fds[2] = {-1, -1};
    QSocketNotifier *notifier = nullptr;
};
