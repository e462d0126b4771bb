// The page preview under the option table: the selected file's first selected page, drawn by the
// renderer in a child process, replaced and cancelled as the selection moves, writing nothing
// beside the PDF; a protected file's password reaches the renderer off its command line.
#include "mainwindowprobe.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStandardPaths>
#include <QTest>

#include <csignal>

using namespace Qt::Literals::StringLiterals;

namespace {

QLabel *previewOf(MainWindow &window)
{
    return window.findChild<QLabel *>(u"previewLabel"_s);
}

bool hasPicture(const QLabel *label)
{
    return label && label->isVisible() && !label->pixmap().isNull();
}

// The temporary folders of this test, which previews must leave as they found them.
struct PrivateTemp
{
    explicit PrivateTemp(const QString &folder)
        : before(qgetenv("TMPDIR"))
    {
        QDir().mkpath(folder);
        qputenv("TMPDIR", folder.toUtf8());
    }
    ~PrivateTemp() { qputenv("TMPDIR", before); }
    QByteArray before;
};

} // namespace

class tst_Preview : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void shownAndReplaced();
    void cancelledWhenTheSelectionMoves();
    void protectedFileAfterItsPassword_data();
    void protectedFileAfterItsPassword();
};

void tst_Preview::init()
{
    if (QStandardPaths::findExecutable(u"gs"_s).isEmpty())
        QSKIP("Ghostscript draws the preview");
}

void tst_Preview::shownAndReplaced()
{
    TestEnvironment env;
    const PrivateTemp temp(env.scratch(u"tmp"_s));
    const QString portrait = env.scratch(u"docs/portrait.pdf"_s);
    const QString landscape = env.scratch(u"docs/landscape.pdf"_s);
    QVERIFY(Pdfs::write(portrait, 2));
    QVERIFY(Pdfs::write(landscape, 1, QPageSize(QSizeF(842, 595), QPageSize::Point)));
    MainWindow window;
    MainWindowProbe probe(window);
    window.show();
    probe.add({portrait});
    probe.add({landscape});
    QLabel *preview = previewOf(window);
    QVERIFY(preview);

    QTRY_VERIFY(hasPicture(preview));
    QVERIFY(preview->pixmap().width() > preview->pixmap().height());
    QVERIFY(preview->pixmap().width() <= preview->width() * preview->devicePixelRatioF());
    probe.files()->selectRow(0);
    QVERIFY(preview->pixmap().isNull()); // the landscape page is gone at once
    QTRY_VERIFY(hasPicture(preview));
    QVERIFY(preview->pixmap().height() > preview->pixmap().width());

    // Several files have no single first page.
    probe.files()->selectAll();
    QVERIFY(!preview->isVisible());
    QTRY_VERIFY(!probe.preview().busy());
    // Nothing beside the PDFs, nothing left in the temporary folder.
    QCOMPARE(QDir(env.scratch(u"docs"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList({u"landscape.pdf"_s, u"portrait.pdf"_s}));
    QCOMPARE(QDir(env.scratch(u"tmp"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
}

// A renderer that never finishes is ended when the user selects another file, and its folder
// goes with it.
void tst_Preview::cancelledWhenTheSelectionMoves()
{
    TestEnvironment env;
    const PrivateTemp temp(env.scratch(u"tmp"_s));
    const QString pids = env.scratch(u"pids"_s);
    env.installTool(u"P2I.exe"_s, u"echo $$ >> '%1'\nexec sleep 60"_s.arg(pids));
    const QString first = env.scratch(u"first.pdf"_s);
    const QString second = env.scratch(u"second.pdf"_s);
    QVERIFY(Pdfs::write(first, 1));
    QVERIFY(Pdfs::write(second, 1));
    MainWindow window;
    MainWindowProbe probe(window);
    window.show();
    probe.add({first});
    probe.add({second});
    QTRY_VERIFY(probe.preview().busy());
    const auto started = [&pids] {
        QFile file(pids);
        return file.open(QIODevice::ReadOnly) ? file.readAll().split('\n').size() - 1 : 0;
    };
    QTRY_COMPARE(started(), 1);
    QFile file(pids);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const pid_t drawing = pid_t(file.readLine().trimmed().toLongLong());
    QCOMPARE(::kill(drawing, 0), 0);

    probe.files()->selectRow(0);
    QCOMPARE(::kill(drawing, 0), -1); // ended, and waited for
    QTRY_COMPARE(started(), 2);
    QTRY_COMPARE(QDir(env.scratch(u"tmp"_s)).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(),
                 1);
    probe.files()->clearSelection();
    QVERIFY(!probe.preview().busy());
    QCOMPARE(QDir(env.scratch(u"tmp"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
}

void tst_Preview::protectedFileAfterItsPassword_data()
{
    QTest::addColumn<bool>("known"); // the password that opened the file is still known
    QTest::newRow("with its password") << true;
    QTest::newRow("without") << false;
}

void tst_Preview::protectedFileAfterItsPassword()
{
    QFETCH(bool, known);
    if (QStandardPaths::findExecutable(u"qpdf"_s).isEmpty())
        QSKIP("qpdf makes the protected PDF");
    TestEnvironment env;
    const QString plain = env.scratch(u"plain.pdf"_s);
    const QString locked = env.scratch(u"locked.pdf"_s);
    QVERIFY(Pdfs::write(plain, 1));
    const QString password = u"s3cret preview"_s;
    QVERIFY(Pdfs::encrypt(plain, locked, password));
    env.writeConfig(u"havePSW"_s, true);
    env.writeConfig(u"Psword"_s, password);
    // The renderer's command line, which every user can read.
    const QString arguments = env.scratch(u"arguments"_s);
    env.installTool(u"P2I.exe"_s, u"printf '%s\\n' \"$@\" > '%1'\nexec gs \"$@\""_s.arg(arguments));
    MainWindow window;
    MainWindowProbe probe(window);
    window.show();
    probe.add({locked});
    QCOMPARE(probe.files()->rowCount(), 1);
    if (!known) {
        const_cast<QMap<QString, QString> &>(probe.passwordOptions()).clear();
        probe.files()->clearSelection();
        probe.files()->selectRow(0);
    }
    QLabel *preview = previewOf(window);
    if (known) {
        QTRY_VERIFY(hasPicture(preview));
    } else {
        QTRY_COMPARE(preview->text(), u"No preview"_s);
        QVERIFY(preview->pixmap().isNull());
    }
    QFile argumentFile(arguments);
    QVERIFY(argumentFile.open(QIODevice::ReadOnly));
    QVERIFY(!argumentFile.readAll().contains(password.toUtf8()));
}

QTEST_MAIN(tst_Preview)
#include "tst_preview.moc"
