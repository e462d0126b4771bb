#pragma once

#include <QString>

// Where config.ini is kept. An installation folder the user can write (the build folder, a copy in
// the home folder) keeps its own file. An installed copy, which an ordinary user cannot write and
// root must not, keeps each user's settings in $XDG_CONFIG_HOME/vezudiri/config.ini, seeded from
// the installed file, so no change is lost.
namespace SettingsFile {

// $XDG_CONFIG_HOME/vezudiri/config.ini, ~/.config/vezudiri/config.ini without the variable.
QString userFile();

// Whether the program may write this config.ini: the file itself, or its folder while it is absent.
bool isWritable(const QString &file);

// Whether the installation folder of this config.ini keeps its own settings: it can be written and
// is not an installed package's folder. A package puts installedMarker() beside its config.ini,
// which then stays the defaults every user's first start copies, even when root runs the program.
bool keepsOwnFile(const QString &installedFile);
QString installedMarker();

// Makes every AppSettings open the installed file when it keeps its own settings, otherwise the
// user's file, created as a copy of the installed one when absent. A user's file that cannot be
// read is set aside and replaced by a fresh copy, the reason logged. Settings files the program
// creates are for their owner alone (0600), the user's in a folder of its own (0700). Returns the
// file chosen.
QString select(const QString &installedFile, bool installedWritable);

} // namespace SettingsFile
