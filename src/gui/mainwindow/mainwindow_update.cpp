// The automatic update check after start-up and the manual "Check for Updates".
#include "gui/mainwindow/mainwindow.h"

#include "core/platform/versionrecord.h"
#include "core/settings/settings.h"
#include "core/update/connectivity.h"
#include "core/update/updateaddresses.h"
#include "core/update/updatepolicy.h"
#include "gui/widgets/messagebox.h"

#include <QDate>
#include <QNetworkAccessManager>
#include <QNetworkReply>

using namespace Qt::Literals::StringLiterals;

void MainWindow::updateCaption()
{
    if (connectivity().isOnline())
        versionRequest();
}

void MainWindow::versionRequest()
{
    updateManager = new QNetworkAccessManager(this);
    versionReply = updateManager->get(QNetworkRequest(UpdateAddresses::endpoint()));
    connect(versionReply.data(), &QNetworkReply::finished, this, &MainWindow::VFinished);
}

void MainWindow::VFinished()
{
    QNetworkReply *reply = versionReply.data();
    if (!reply)
        return;
    // Only a real answer counts: a failed request never starts the updater.
    if (reply->error() == QNetworkReply::NoError &&
        UpdatePolicy::versionDiffers(reply->readAll(), VersionRecord::read()))
        applyUpdatePolicy();
    reply->deleteLater();
    if (updateManager)
        updateManager->deleteLater();
}

void MainWindow::applyUpdatePolicy()
{
    AppSettings settings;
    const QDate today = QDate::currentDate();
    if (!UpdatePolicy::intervalPassed(settings.updateModel(),
                                      settings.get(Settings::lastUpdateCheck), today))
        return;
    settings.set(Settings::lastUpdateCheck, today.toString(u"yyyyMMdd"_s));
    // Unasked, a missing updater is no news.
    startUpdater();
}

// "Check for Updates": an installed package has no updater of its own, and says so.
void MainWindow::checkUpdate()
{
    if (!startUpdater())
        MessageBox::information(this, tr("Check for Updates"),
                                tr("Updates come from your distribution's package manager."));
}

bool MainWindow::startUpdater()
{
    const UpdateAddresses::Invocation updater =
        UpdateAddresses::updater(VersionRecord::read(), documentsPath);
    const QString program = Tools::locate(updater.command.tool);
    return !program.isEmpty() && QProcess::startDetached(program, updater.command.arguments);
}
