#include "core/engine/outputfolder.h"
#include "core/engine/planfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

class TestOutputFolder final : public QObject
{
    Q_OBJECT

private slots:
    void createsTheFirstFreeName_data();
    void createsTheFirstFreeName();
    void refuses_data();
    void refuses();
    void unwritableParent();
    void plannedFolderTakenOnlyWithItsMark_data();
    void plannedFolderTakenOnlyWithItsMark();
};

void TestOutputFolder::createsTheFirstFreeName_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("expected");
    QTest::newRow("free") << QStringList() << QStringList() << u"a"_s;
    QTest::newRow("a taken") << QStringList{u"a"_s} << QStringList() << u"a(1)"_s;
    QTest::newRow("a, a(1) taken") << QStringList{u"a"_s, u"a(1)"_s} << QStringList() << u"a(2)"_s;
    QTest::newRow("gap") << QStringList{u"a"_s, u"a(2)"_s} << QStringList() << u"a(1)"_s;
    QTest::newRow("only a(1) taken") << QStringList{u"a(1)"_s} << QStringList() << u"a"_s;
    QTest::newRow("a file named a") << QStringList() << QStringList{u"a"_s} << u"a(1)"_s;
}

void TestOutputFolder::createsTheFirstFreeName()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(QString, expected);
    QTemporaryDir parent;
    QVERIFY(parent.isValid());
    const QDir dir(parent.path());
    for (const QString &folder : folders)
        QVERIFY(dir.mkdir(folder));
    for (const QString &file : files) {
        QFile f(dir.filePath(file));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

    const OutputFolder::Created created =
        OutputFolder::createFresh(FolderHandle::open(parent.path()), u"a"_s);
    QVERIFY(created.ok);
    QCOMPARE(created.name, expected);
    QVERIFY(created.folder.isAt(FolderHandle::open(parent.path()), expected));
    QCOMPARE(dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(),
             folders.size() + files.size() + 1);
}

void TestOutputFolder::refuses_data()
{
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("maxAttempts");
    QTest::newRow("attempts used up") << u"parent"_s << u"a"_s << 3;
    QTest::newRow("parent missing") << u"missing"_s << u"b"_s << 1000;
    QTest::newRow("parent is a file") << u"file"_s << u"b"_s << 1000;
    QTest::newRow("name is a path") << u"parent"_s << u"sub/b"_s << 1000;
    QTest::newRow("empty name") << u"parent"_s << QString() << 1000;
    QTest::newRow("name too long") << u"parent"_s << QString(300, u'n') << 1000;
}

// Nothing is created when no fresh folder can be made, and no endless search is started.
void TestOutputFolder::refuses()
{
    QFETCH(QString, parentName);
    QFETCH(QString, name);
    QFETCH(int, maxAttempts);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QDir dir(root.path());
    QVERIFY(dir.mkpath(u"parent/a"_s) && dir.mkpath(u"parent/a(1)"_s) &&
            dir.mkpath(u"parent/a(2)"_s));
    QVERIFY(dir.mkpath(u"parent/sub"_s));
    QFile file(dir.filePath(u"file"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    const OutputFolder::Created created = OutputFolder::createFresh(
        FolderHandle::open(dir.filePath(parentName)), name, 0777, maxAttempts);
    QVERIFY(!created.ok);
    QCOMPARE(QDir(dir.filePath(u"parent"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             (QStringList{u"a"_s, u"a(1)"_s, u"a(2)"_s, u"sub"_s}));
    QVERIFY(QDir(dir.filePath(u"parent/sub"_s)).isEmpty());
    QCOMPARE(dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             (QStringList{u"file"_s, u"parent"_s}));
}

// Run in a child as an ordinary user: root may write into any folder.
void TestOutputFolder::unwritableParent()
{
    QTemporaryDir parent;
    QVERIFY(parent.isValid());
    QVERIFY(QFile::setPermissions(parent.path(), QFile::ReadOwner | QFile::ExeOwner |
                                                     QFile::ReadGroup | QFile::ExeGroup |
                                                     QFile::ReadOther | QFile::ExeOther));
    const auto restore = qScopeGuard([&parent] {
        QFile::setPermissions(parent.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    enum Outcome { Refused, Created, NotDropped, ParentUnseen, ParentWritable };
    const QString path = parent.path();
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        if (geteuid() == 0) {
            const passwd *nobody = getpwnam("nobody");
            const uid_t uid = nobody ? nobody->pw_uid : 65534;
            const gid_t gid = nobody ? nobody->pw_gid : 65534;
            if (setgroups(0, nullptr) != 0 || setresgid(gid, gid, gid) != 0 ||
                setresuid(uid, uid, uid) != 0 || geteuid() == 0)
                _exit(NotDropped);
        }
        if (!QFileInfo(path).isDir())
            _exit(ParentUnseen);
        if (QDir(path).mkdir(u"probe"_s))
            _exit(ParentWritable);
        _exit(OutputFolder::createFresh(FolderHandle::open(path), u"a"_s).ok ? Created : Refused);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(Outcome(WEXITSTATUS(status)), Refused);
    QVERIFY(QDir(path).isEmpty());
}

void TestOutputFolder::plannedFolderTakenOnlyWithItsMark_data()
{
    QTest::addColumn<QString>("existing"); // what is at "a" before
    QTest::addColumn<int>("why");
    using Why = PlanFolder::Why;
    QTest::newRow("missing: made and marked") << QString() << int(Why::None);
    QTest::newRow("marked by this plan") << u"ours"_s << int(Why::None);
    QTest::newRow("marked by another plan") << u"theirs"_s << int(Why::OtherPlan);
    QTest::newRow("a link to a folder of this plan") << u"link"_s << int(Why::NotAFolder);
    QTest::newRow("a file") << u"file"_s << int(Why::NotAFolder);
    QTest::newRow("others can write in it") << u"open"_s << int(Why::WritableByOthers);
    QTest::newRow("the mark is a link") << u"mark link"_s << int(Why::MarkNotOurs);
    QTest::newRow("the mark has a second name") << u"mark linked"_s << int(Why::MarkNotOurs);
    QTest::newRow("another user's folder") << u"other user"_s << int(Why::OtherOwner);
    QTest::newRow("another user's mark") << u"other user's mark"_s << int(Why::MarkNotOurs);
}

// The plan's id is public: only a folder and mark of the user's own, closed to everybody else's
// writing, are taken.
void TestOutputFolder::plannedFolderTakenOnlyWithItsMark()
{
    QFETCH(QString, existing);
    QFETCH(int, why);
    if (existing.startsWith(u"other user") && ::geteuid() != 0)
        QSKIP("giving a file to another user needs root");
    QTemporaryDir parent;
    QVERIFY(parent.isValid());
    const QDir dir(parent.path());
    const QString markPath = dir.filePath(u"a/"_s + PlanFolder::markName);
    const auto mark = [&dir](const QString &folder, const QByteArray &id) {
        QFile file(dir.filePath(folder + u'/' + PlanFolder::markName));
        return dir.mkdir(folder) && file.open(QIODevice::WriteOnly) && file.write(id) == id.size();
    };
    const auto give = [](const QString &path) {
        return ::lchown(QFile::encodeName(path).constData(), 65534, 65534) == 0;
    };
    if (!existing.isEmpty() && existing != u"file" && existing != u"link")
        QVERIFY(mark(u"a"_s, existing == u"theirs" ? "plan-2\n" : "plan-1\n"));
    if (existing == u"link")
        QVERIFY(mark(u"b"_s, "plan-1\n") &&
                QFile::link(dir.filePath(u"b"_s), dir.filePath(u"a"_s)));
    if (existing == u"file")
        QVERIFY(QFile(dir.filePath(u"a"_s)).open(QIODevice::WriteOnly));
    if (existing == u"open")
        QVERIFY(::chmod(QFile::encodeName(dir.filePath(u"a"_s)).constData(), 0777) == 0);
    if (existing == u"mark link" || existing == u"mark linked") {
        QVERIFY(QFile::rename(markPath, dir.filePath(u"elsewhere"_s)));
        QVERIFY(existing == u"mark link"
                    ? QFile::link(dir.filePath(u"elsewhere"_s), markPath)
                    : QFile::copy(dir.filePath(u"elsewhere"_s), markPath) &&
                          ::link(QFile::encodeName(markPath).constData(),
                                 QFile::encodeName(dir.filePath(u"second"_s)).constData()) == 0);
    }
    if (existing == u"other user")
        QVERIFY(give(dir.filePath(u"a"_s)) && give(markPath));
    if (existing == u"other user's mark")
        QVERIFY(give(markPath));

    // Whatever the umask, what is made passes the same test.
    const mode_t umaskBefore = ::umask(0);
    const auto restore = qScopeGuard([umaskBefore] { ::umask(umaskBefore); });
    PlanFolder::Why found = PlanFolder::Why::OtherPlan;
    const OutputFolder::Created created =
        PlanFolder::adopt(FolderHandle::open(parent.path()), u"a"_s, u"plan-1"_s, 0777, &found);
    QCOMPARE(int(found), why);
    QCOMPARE(created.ok, why == int(PlanFolder::Why::None));
    QCOMPARE(PlanFolder::stateOf(FolderHandle::open(parent.path()), u"a"_s, u"plan-1"_s,
                                 QDeadlineTimer(0))
                 .state,
             created.ok ? PlanFolder::State::Ours : PlanFolder::State::Foreign);
    if (created.ok) {
        QVERIFY(created.folder.isAt(FolderHandle::open(parent.path()), u"a"_s));
        QFile marked(markPath);
        QVERIFY(marked.open(QIODevice::ReadOnly));
        QCOMPARE(marked.readAll(), QByteArray("plan-1\n"));
        QCOMPARE(QFileInfo(dir.filePath(u"a"_s)).permissions() & QFile::WriteOther, 0);
        QCOMPARE(marked.permissions() & (QFile::WriteGroup | QFile::WriteOther), 0);
    }
}

QTEST_APPLESS_MAIN(TestOutputFolder)
#include "tst_outputfolder.moc"
