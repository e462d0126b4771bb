#include <QTest>

class TstHostileInput final : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(TstHostileInput)
#include "tst_hostile_input.moc"
