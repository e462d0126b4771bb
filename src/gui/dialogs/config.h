#pragma once

#include "gui/widgets/framelessdialog.h"

#include <QSet>

namespace Ui {
class Config;
}
class QComboBox;

// The settings dialog: three pages (General, Convert, Others) loaded from config.ini when built
// and written back on "OK". It also keeps three settings in memory for the main window.
class Config final : public FramelessDialog
{
    Q_OBJECT

public:
    explicit Config(QWidget *parent = nullptr);
    ~Config() override;
    Q_DISABLE_COPY_MOVE(Config)

    // The minimise button hides the window to the tray ("mDesk").
    bool minimizeToTray = false;
    // Closing with files in the list asks first ("listC").
    bool warnOnListClose = false;
    // The post-task action runs at the end of a run ("isclosewindow").
    bool postTaskEnabled = false;

    void setOutputFolder(const QString &folder);

signals:
    void uiSetCls(bool remember);
    void outPathChange(const QString &folder);
    void changeEn();
    void changeDe();
    void changeFr();
    void changeJp();
    void changeCh();

public slots:
    // Loads every control from config.ini.
    void changesetcls();

private slots:
    void on_sourceRadio_clicked(bool checked);
    void on_numberRadio_clicked(bool checked);
    void on_templateRadio_clicked(bool checked);
    void on_openBtn_clicked();
    void on_setOutPath_clicked();
    void on_RestoreBtn_clicked();
    void on_conflgOK_clicked();
    void on_configCancel_clicked();
    void on_othersBtn_clicked(bool checked);
    void on_convertBtn_clicked(bool checked);
    void on_generalBtn_clicked(bool checked);

private:
    void retranslate() override;
    void fillChoices();
    // Selects the stored index, or the first entry when the stored value is out of range.
    void selectStored(QComboBox *box, int index);
    // Whether "OK" stores the box's choice: not while it shows the first entry in place of a
    // stored value it has no entry for, until the user picks one.
    bool storesChoice(QComboBox *box) const { return !unshownChoices.contains(box); }
    void showPage(QWidget *page);

    Ui::Config *ui;
    QSet<QComboBox *> unshownChoices;
};
