#pragma once

#include "core/platform/tools.h"

#include <QUrl>

// Where the update check asks for the latest version, and what the updater is handed.
namespace UpdateAddresses {

// The first line of this address's answer is the latest version.
QUrl endpoint();
// Tests point the check at a local server.
void setEndpoint(const QUrl &url);
QUrl installerDownload();

// The updater with the addresses, the installed version and the program's documents folder.
struct Invocation
{
    Tools::Command command;
    QString text;
};
Invocation updater(const QString &version, const QString &documentsPath);

} // namespace UpdateAddresses
