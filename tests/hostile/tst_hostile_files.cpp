#include <QTest>

class TstHostileFiles final : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(TstHostileFiles)
#include "tst_hostile_files.moc"
