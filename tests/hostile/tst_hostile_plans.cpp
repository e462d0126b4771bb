// Planned runs against what shares their folders: files put in the way of a resumed run, and a
// second run of the same work, in the same PID namespace or another one, while the first lives.
#include "conversion.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Ghostscript, each page it begins counted in "rendered"; it stops with an error at page 4 while
// "break" exists, and the first renderer to begin page 3 while "hold" exists waits there until
// "hold" is gone.
QString countingRenderer(const QString &dir)
{
    return uR"(gs "$@" | while IFS= read -r line; do
  printf '%s\n' "$line"
  case $line in "Page "*)
    echo "$line" >> '%1/rendered'
    if [ "$line" = "Page 3" ] && [ -e '%1/hold' ] && mkdir '%1/held' 2>/dev/null; then
      while [ -e '%1/hold' ]; do sleep 0.05; done
    fi
    if [ "$line" = "Page 4" ] && [ -e '%1/break' ]; then exit 3; fi ;;
  esac
done)"_s.arg(dir);
}

void startBatch(QProcess &batch, const TestEnvironment &env, const QStringList &arguments,
                bool otherNamespace = false)
{
    batch.setProcessEnvironment(TestEnvironment::withoutDisplay());
    batch.setWorkingDirectory(env.scratch());
    const QStringList command = QStringList{env.executable(), u"--convert"_s} + arguments;
    if (otherNamespace)
        batch.start(u"unshare"_s,
                    QStringList{u"--pid"_s, u"--fork"_s, u"--mount-proc"_s} + command);
    else
        batch.start(command.first(), command.mid(1));
}

int runBatch(const TestEnvironment &env, const QStringList &arguments, QString *out = nullptr)
{
    QProcess batch;
    startBatch(batch, env, arguments);
    if (!batch.waitForFinished(120000))
        return -1;
    if (out)
        *out = QString::fromUtf8(batch.readAllStandardOutput());
    return batch.exitStatus() == QProcess::NormalExit ? batch.exitCode() : -1;
}

int linesIn(const QString &path)
{
    return int(TestEnvironment::contents(path).count('\n'));
}

bool write(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

} // namespace

class TestHostilePlans final : public QObject
{
    Q_OBJECT

private slots:
    void resumeKeepsOnlyRecordedImages_data();
    void resumeKeepsOnlyRecordedImages();
    void liveRunIsNeverCleaned_data();
    void liveRunIsNeverCleaned();
    void waitingForMarksIsBoundedPerRun();
};

void TestHostilePlans::resumeKeepsOnlyRecordedImages_data()
{
    QTest::addColumn<QString>("naming");
    QTest::addColumn<QStringList>("images"); // of pages 1, 2, 2, 3, 4, 5
    QTest::newRow("named by number")
        << u"number"_s
        << QStringList{u"1.png"_s, u"2.png"_s, u"3.png"_s, u"4.png"_s, u"5.png"_s, u"6.png"_s};
    QTest::newRow("named by page")
        << u"page"_s << QStringList{u"doc-1.png"_s, u"doc-2.png"_s, u"doc-2(1).png"_s,
                                    u"doc-3.png"_s, u"doc-4.png"_s, u"doc-5.png"_s};
}

// A shard stopped after page 3 kept four images. The second copy of page 2 is then cut short (a
// power cut) and the two missing images are planted: the resumed run renders exactly the three
// pages those need, under the plan's names, and ends with what one machine writes.
void TestHostilePlans::resumeKeepsOnlyRecordedImages()
{
    QFETCH(QString, naming);
    QFETCH(QStringList, images);
    TestEnvironment env;
    env.installTool(u"P2I.exe"_s, countingRenderer(env.scratch()));
    QVERIFY(Pdfs::write(env.scratch(u"in/doc.pdf"_s), 5));
    const QStringList choices = {u"-f"_s, u"PNG"_s,       u"-r"_s,       u"70"_s,
                                 u"-p"_s, u"1,2,2,3-5"_s, u"--naming"_s, naming};
    QCOMPARE(runBatch(env, choices + QStringList{u"-o"_s, u"one"_s, u"in"_s}), 0);
    QCOMPARE(runBatch(env, choices + QStringList{u"-o"_s, u"parts"_s, u"--plan-out"_s,
                                                 u"plan.json"_s, u"in"_s}),
             0);
    const QStringList shard = {u"--plan"_s, u"plan.json"_s, u"--shard"_s, u"0/1"_s, u"--json"_s};

    QVERIFY(write(env.scratch(u"break"_s), {}));
    QCOMPARE(runBatch(env, shard), 1);
    QVERIFY(QFile::remove(env.scratch(u"break"_s)));
    const QString folder = env.scratch(u"parts/doc/"_s);
    for (int index = 0; index < 4; ++index)
        QVERIFY2(QFileInfo::exists(folder + images.at(index)), qPrintable(images.at(index)));
    QVERIFY(QFile::resize(folder + images.at(2), 2));
    for (int index = 4; index < 6; ++index)
        QVERIFY(write(folder + images.at(index), "fake!"));
    QVERIFY(QFile::remove(env.scratch(u"rendered"_s)));

    QString said;
    QCOMPARE(runBatch(env, shard + QStringList{u"--resume"_s}, &said), 0);
    const QJsonObject file = QJsonDocument::fromJson(said.section(u'\n', 0, 0).toUtf8()).object();
    QCOMPARE(file.value(u"status"_s).toString(), u"ok"_s);
    QCOMPARE(file.value(u"pages"_s).toInt(), 3);
    QCOMPARE(linesIn(env.scratch(u"rendered"_s)), 3);
    for (const QString &image : std::as_const(images))
        QVERIFY2(TestEnvironment::contents(folder + image) ==
                     TestEnvironment::contents(env.scratch(u"one/doc/"_s) + image),
                 qPrintable(image));
}

void TestHostilePlans::liveRunIsNeverCleaned_data()
{
    QTest::addColumn<bool>("planned");
    QTest::addColumn<bool>("resume");
    QTest::addColumn<bool>("otherNamespace"); // the live run's
    QTest::newRow("the same shard started twice") << true << false << false;
    QTest::newRow("the same shard resumed beside a container") << true << true << true;
    QTest::newRow("a plain run beside a container") << false << false << true;
}

// While a run converts, a second one of the same work never removes what the first writes,
// whatever PID namespace the first runs in: a planned one fails with the reason, a plain one
// takes a folder of its own. The first then ends well.
void TestHostilePlans::liveRunIsNeverCleaned()
{
    QFETCH(bool, planned);
    QFETCH(bool, resume);
    QFETCH(bool, otherNamespace);
    if (otherNamespace && QProcess::execute(u"unshare"_s, {u"--pid"_s, u"--fork"_s,
                                                           u"--mount-proc"_s, u"true"_s}) != 0)
        QSKIP("this machine gives no PID namespace of its own");
    TestEnvironment env;
    env.installTool(u"P2I.exe"_s, countingRenderer(env.scratch()));
    QVERIFY(Pdfs::write(env.scratch(u"in/doc.pdf"_s), 6));
    const QStringList choices = {u"-f"_s, u"PNG"_s, u"-r"_s, u"70"_s, u"--naming"_s, u"number"_s};
    QStringList work = choices + QStringList{u"-o"_s, u"out"_s, u"in"_s};
    if (planned) {
        QCOMPARE(runBatch(env, choices + QStringList{u"-o"_s, u"out"_s, u"--plan-out"_s,
                                                     u"plan.json"_s, u"in"_s}),
                 0);
        work = {u"--plan"_s, u"plan.json"_s, u"--shard"_s, u"0/1"_s};
    }
    QVERIFY(write(env.scratch(u"hold"_s), {}));
    QProcess first;
    startBatch(first, env, work, otherNamespace);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(env.scratch(u"held"_s)), 60000);
    const QString folder = env.scratch(u"out/doc/"_s);
    // Page 2 is drawn once page 3 begins; its PNG follows from the encoder a moment later.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(folder + u"2.png"_s), 20000);

    QString said;
    const int second = runBatch(env, resume ? work + QStringList{u"--resume"_s} : work, &said);
    QVERIFY(QFileInfo::exists(folder + u"2.png"_s));
    if (planned) {
        QCOMPARE(second, 1);
        QVERIFY2(said.contains(u"another run converts these pages"_s), qPrintable(said));
    } else {
        QCOMPARE(second, 0);
        QCOMPARE(Conversion::filesIn(env.scratch(u"out/doc(1)"_s)).size(), 6);
    }

    QVERIFY(QFile::remove(env.scratch(u"hold"_s)));
    QVERIFY(first.waitForFinished(120000));
    QCOMPARE(first.exitCode(), 0);
    for (int number = 1; number <= 6; ++number)
        QVERIFY(QFileInfo(folder + u"%1.png"_s.arg(number)).size() > 0);
}

// Folders of the user's own without a mark, made a moment ago, may still be getting theirs from
// another shard: the whole run waits for them at most a few seconds, not a few for each.
void TestHostilePlans::waitingForMarksIsBoundedPerRun()
{
    TestEnvironment env;
    for (int file = 0; file < 10; ++file) {
        QVERIFY(Pdfs::write(env.scratch(u"in/a%1.pdf"_s.arg(file)), 1));
        QVERIFY(QDir().mkpath(env.scratch(u"out/a%1"_s.arg(file))));
    }
    QElapsedTimer clock;
    clock.start();
    QProcess batch;
    startBatch(batch, env,
               {u"-f"_s, u"PNG"_s, u"-r"_s, u"70"_s, u"--naming"_s, u"source"_s, u"-o"_s, u"out"_s,
                u"--shard"_s, u"0/1"_s, u"in"_s});
    // Kept young all along, as a change of their mode does.
    while (!batch.waitForFinished(200) && clock.elapsed() < 60000) {
        for (int file = 0; file < 10; ++file)
            QFile::setPermissions(env.scratch(u"out/a%1"_s.arg(file)),
                                  QFile::permissions(env.scratch(u"out/a%1"_s.arg(file))));
    }
    QCOMPARE(batch.exitCode(), 0);
    QVERIFY2(clock.elapsed() < 15000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(QFileInfo::exists(env.scratch(u"out/a9(1)/a910.png"_s)));
}

QTEST_MAIN(TestHostilePlans)
#include "tst_hostile_plans.moc"
