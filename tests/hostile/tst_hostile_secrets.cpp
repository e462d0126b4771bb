#include <QTest>

class TstHostileSecrets final : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(TstHostileSecrets)
#include "tst_hostile_secrets.moc"
