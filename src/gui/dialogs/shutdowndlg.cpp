#include "gui/dialogs/shutdowndlg.h"

#include "core/settings/settings.h"
#include "ui_shutdowndlg.h"

using namespace Qt::Literals::StringLiterals;

shutdowndlg::shutdowndlg(QWidget *parent)
    : FramelessDialog(parent)
    , ui(new Ui::shutdowndlg)
{
    ui->setupUi(this);
    setDragStrip(ui->label);
    Chrome::applyBackground(this, u"skin/black/Background/closeWnd.png"_s, true);
    LngChange();
    changeStyle();
}

shutdowndlg::~shutdowndlg()
{
    delete ui;
}

QString shutdowndlg::text() const
{
    return ui->textEdit->toPlainText();
}

void shutdowndlg::setTextEdit(const QString &text)
{
    ui->textEdit->setPlainText(text);
}

void shutdowndlg::on_Yes_clicked()
{
    if (planMode) {
        AppSettings settings;
        const int action = settings.changeOver();
        if (action >= 1 && action <= 3)
            emit nowshutdown(action);
        else
            // Changed by hand during the countdown: nothing is ended, as when a tick meets it.
            settings.set(Settings::changeOver, 0);
    }
    accept();
}

void shutdowndlg::on_No_clicked()
{
    emit stoptimer();
    reject();
}

void shutdowndlg::on_mainCls_clicked()
{
    emit stoptimer();
    reject();
}

void shutdowndlg::retranslate()
{
    ui->retranslateUi(this);
}
