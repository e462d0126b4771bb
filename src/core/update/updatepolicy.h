#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

// When the automatic update check starts the updater.
namespace UpdatePolicy {

// The latest version: the first line of the server's answer without its line end, if it has one.
QString versionLine(const QByteArray &body);

bool versionDiffers(const QByteArray &body, const QString &installed);

// Whether the interval since the updater was last started (updateTime, "yyyyMMdd") has passed:
// model 0 checks daily, any other model weekly. A missing or malformed date always passes.
bool intervalPassed(int updateModel, const QString &updateTime, const QDate &today);

} // namespace UpdatePolicy
