#pragma once

#include <QString>

// The installed version, kept in the user's native settings store (organisation "ZEMRA",
// application "RADAZizIDA", key Version/ver) rather than in config.ini, so an updater can read it.
namespace VersionRecord {

inline constexpr char16_t current[] = u"2.2.2.24";

QString read();
void write(const QString &version);

} // namespace VersionRecord
