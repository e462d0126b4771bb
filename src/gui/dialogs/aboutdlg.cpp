#include "gui/dialogs/aboutdlg.h"

#include "core/update/homepage.h"
#include "gui/widgets/desktop.h"
#include "ui_aboutdlg.h"

#include <QUrl>

using namespace Qt::Literals::StringLiterals;

aboutDlg::aboutDlg(QWidget *parent)
    : FramelessDialog(parent)
    , ui(new Ui::aboutDlg)
{
    ui->setupUi(this);
    ui->pdfLabelT->setText(u"VEZ ud IRI"_s);
    ui->pdfLabelT_2->setText(u"VEZ ud IRI"_s);
    setDragStrip(ui->titLabel);
    Chrome::applyBackground(this, u"skin/black/Background/config.png"_s, true);
    setStyleSheet(u"border-image:url(skin/black/Background/config.png);"_s);
    connect(ui->label_4, &QLabel::linkActivated, this, &aboutDlg::openUrl);
    LngChange();
    changeStyle();
}

aboutDlg::~aboutDlg()
{
    delete ui;
}

QString aboutDlg::version() const
{
    return ui->versionLabel->text();
}

QString aboutDlg::homePageLink() const
{
    return ui->label_4->text();
}

void aboutDlg::setversion(const QString &version)
{
    ui->versionLabel->setText(version);
}

void aboutDlg::openUrl(const QString &url)
{
    desktop().openUrl(QUrl(url, QUrl::TolerantMode));
}

void aboutDlg::on_mainCls_clicked()
{
    close();
}

void aboutDlg::refreshHomePage()
{
    const QString page = HomePage::current().toHtmlEscaped();
    // The link colour is set here: Qt takes it from the application palette, not from the skin.
    ui->label_4->setText(u"<a style=\"color:#8ab8fb;\" href=\"http://%1\">%1</a>"_s.arg(page));
}

void aboutDlg::retranslate()
{
    const QString version = ui->versionLabel->text();
    ui->retranslateUi(this);
    ui->versionLabel->setText(version);
    refreshHomePage();
}
