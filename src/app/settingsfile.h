#pragma once

#include <QString>

// Where config.ini is kept. An installation folder the user can write (the build folder, a copy in
// the home folder) keeps its own file. An installed copy, which an ordinary user cannot write,
// keeps each user's settings in $XDG_CONFIG_HOME/vezudiri/config.ini, seeded from the installed
// file, so no change is lost.
namespace SettingsFile {

// $XDG_CONFIG_HOME/vezudiri/config.ini, ~/.config/vezudiri/config.ini without the variable.
QString userFile();

// Whether the program may write this config.ini: the file itself, or its folder while it is absent.
bool isWritable(const QString &file);

// Makes every AppSettings open the installed file when it is writable, otherwise the user's file,
// created as a copy of the installed one when absent. A user's file that cannot be read is set
// aside and replaced by a fresh copy, the reason logged. Returns the file chosen.
QString select(const QString &installedFile, bool installedWritable);

} // namespace SettingsFile
