#include "gui/dialogs/information.h"

#include "ui_information.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QThread>

using namespace Qt::Literals::StringLiterals;

namespace {

int stepDelay = 1;

QRect availableArea()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

information::information(QWidget *parent)
    : FramelessDialog(parent)
    , ui(new Ui::information)
{
    ui->setupUi(this);
    connect(ui->mainCls, &QPushButton::clicked, this, &information::close);
    setDragStrip(ui->label);
    setPlacedOverParent(false);
    Chrome::applyBackground(this, u"skin/black/Background/closeWnd.png"_s, true);
    LngChange();
    changeStyle();
}

information::~information()
{
    delete ui;
}

void information::setStepDelay(int milliseconds)
{
    stepDelay = milliseconds;
}

// Waits while the event loop keeps running, so the rest of the program stays responsive
// during a slide.
void information::pause()
{
    const QDeadlineTimer deadline(stepDelay);
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, stepDelay);
        if (stepDelay > 0)
            QThread::msleep(ulong(stepDelay));
    } while (!deadline.hasExpired());
}

QString information::titleFor(int total, int failed)
{
    if (failed <= 0)
        return tr("Successfully");
    return failed < total ? tr("Some files failed") : tr("All files failed");
}

void information::setLabelText(int total, int failed)
{
    lastTotal = total;
    lastFailed = failed;
    ui->titleTextLabel->setText(titleFor(total, failed));
    // The style sheet shows a warning instead of the tick.
    ui->ilabelIcon->setProperty("failed", failed > 0);
    ui->ilabelIcon->style()->unpolish(ui->ilabelIcon);
    ui->ilabelIcon->style()->polish(ui->ilabelIcon);
    ui->inforLable->setText(tr("Success: %1 file(s)").arg(total - failed));
    ui->inforLable_2->setText(tr("Fail:    %1 file(s)").arg(failed));
}

void information::slideIn()
{
    const QRect area = availableArea();
    const int x = area.right() - width() - 1;
    move(x, area.bottom());
    show();
    for (int offset = 0; offset <= height() + 20; offset += 4) {
        pause();
        move(x, area.bottom() - offset);
    }
}

void information::closeEvent(QCloseEvent *event)
{
    const QRect area = availableArea();
    if (pos() == QPoint(area.right() - width(), area.bottom() - height())) {
        int y = area.bottom() - height();
        for (int step = 0; step <= height() / 6; ++step) {
            pause();
            y += 6;
            move(x(), y);
        }
    }
    event->accept();
}

void information::retranslate()
{
    ui->retranslateUi(this);
    setLabelText(lastTotal, lastFailed);
}
