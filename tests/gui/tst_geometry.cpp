// The window and its dialogs on screens from 1280x720 to 3840x2160 at the scales desktops offer:
// each screen and scale is a start of its own (Qt reads the scale once), which reports where
// every window lies.
#include "gui/widgets/chrome.h"
#include "gui/widgets/screenfit.h"
#include "mainwindowprobe.h"
#include "testenvironment.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

// The child: the program's own start-up on the screen it is given, then every dialog shown over
// the window. One line per window: name, x, y, width, height, device pixel ratio.
int measure(int argc, char **argv)
{
    const std::unique_ptr<QApplication> application =
        ScreenFit::application(argc, argv, MainWindow::windowSize);
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe(window);
    const QScreen *screen = QGuiApplication::primaryScreen();
    window.move(Chrome::centredPosition(screen->availableGeometry(), window.size()));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QTextStream out(stdout);
    const auto report = [&out](const QString &name, const QWidget &shown) {
        const QRect at = shown.frameGeometry();
        out << name << ' ' << at.x() << ' ' << at.y() << ' ' << at.width() << ' ' << at.height()
            << ' ' << shown.devicePixelRatioF() << '\n';
    };
    const QRect area = screen->availableGeometry();
    out << "screen " << area.x() << ' ' << area.y() << ' ' << area.width() << ' ' << area.height()
        << ' ' << screen->devicePixelRatio() << '\n';
    report(u"MainWindow"_s, window);
    const std::pair<const char *, QWidget *> dialogs[] = {
        {"Dialog", &probe.closeChoice()},         {"Config", &probe.configDialog()},
        {"ProDlg", &probe.progressDialog()},      {"ErrorDialog", &probe.errorDialog()},
        {"fileInfo", &probe.fileInfoDialog()},    {"ListCls", probe.listClose()},
        {"passWordPDF", &probe.passwordDialog()}, {"aboutDlg", &probe.aboutDialog()},
        {"deleteDlg", &probe.confirmDialog()},    {"shutdowndlg", &probe.countdownDialog()}};
    for (const auto &[name, dialog] : dialogs) {
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog))
            return 1;
        report(QString::fromLatin1(name), *dialog);
        dialog->hide();
    }
    probe.summaryToast().slideIn();
    report(u"information"_s, probe.summaryToast());
    return 0;
}

struct Shown
{
    QRect at;
    qreal ratio = 0;
};

} // namespace

class tst_Geometry : public QObject
{
    Q_OBJECT

private slots:
    void everyWindowFits_data();
    void everyWindowFits();
};

void tst_Geometry::everyWindowFits_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<double>("scale");
    const QSize screens[] = {{1280, 720}, {1366, 768}, {1920, 1080}, {2560, 1600}, {3840, 2160}};
    for (const QSize &screen : screens) {
        for (const double scale : {1.0, 1.25, 1.5, 2.0, 3.0})
            QTest::addRow("%dx%d at %g", screen.width(), screen.height(), scale) << screen << scale;
    }
}

void tst_Geometry::everyWindowFits()
{
    QFETCH(QSize, screen);
    QFETCH(double, scale);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile config(dir.filePath(u"screen.json"_s));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1,
        "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                     .arg(screen.width())
                     .arg(screen.height())
                     .toUtf8());
    config.close();

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen:configfile="_s + config.fileName());
    environment.insert(u"QT_SCALE_FACTOR"_s, QString::number(scale));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {u"--measure"_s});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);

    QMap<QString, Shown> shown;
    const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n');
    for (const QString &line : lines) {
        const QStringList f = line.split(u' ');
        if (f.size() == 6)
            shown.insert(f[0], {QRect(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt()),
                                f[5].toDouble()});
    }
    QCOMPARE(shown.size(), 13);
    const QRect area = shown.value(u"screen"_s).at;
    const qreal ratio = shown.value(u"screen"_s).ratio;
    const QSize window = MainWindow::windowSize;
    // The described size and the desktop's scale wherever they fit; otherwise the largest step
    // of 1/8 that does, so nothing is shrunk more than it must be.
    const bool fitsAsAsked =
        window.width() * scale <= screen.width() && window.height() * scale <= screen.height();
    if (fitsAsAsked) {
        QCOMPARE(ratio, scale);
    } else {
        QVERIFY2(ratio < scale, qPrintable(QString::number(ratio)));
        QVERIFY(window.width() * ratio <= screen.width() &&
                window.height() * ratio <= screen.height());
        const qreal next = ratio + 0.125;
        QVERIFY(window.width() * next > screen.width() || window.height() * next > screen.height());
    }
    QCOMPARE(shown.value(u"MainWindow"_s).at.size(), window);
    const QPoint centre = shown.value(u"MainWindow"_s).at.center();
    for (auto it = shown.cbegin(); it != shown.cend(); ++it) {
        QVERIFY2(area.contains(it->at), qPrintable(it.key()));
        QCOMPARE(it->ratio, ratio);
        // The dialogs open over the window, the result toast in its corner of the screen.
        if (it.key() != u"screen" && it.key() != u"information")
            QVERIFY2((it->at.center() - centre).manhattanLength() <= 2, qPrintable(it.key()));
    }
}

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--measure") == 0)
        return measure(argc, argv);
    QCoreApplication application(argc, argv);
    tst_Geometry test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_geometry.moc"
