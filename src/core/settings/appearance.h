#pragma once

#include <QString>

class QTranslator;

// Interface languages and skins. Both are stored in config.ini ("Language", "Style") and read
// again by every window whenever it applies them.
namespace Appearance {

enum Language : uint { Chinese = 1, English = 2, Japanese = 3, German = 4, French = 5 };

uint storedLanguage();
// The translation file for a language id; any other id gives English.
QString translationFile(uint language);
// Loads the file into the translator and puts the translator first in the application's list.
void loadAndInstall(QTranslator *translator, const QString &file);

uint storedStyle();
// Style 1 is the black "Classic" sheet; every other value the default "Elegant" one.
QString styleSheetFile(uint style);
// The sheet's text up to its first NUL byte; empty when the file cannot be read.
QString readStyleSheet(const QString &file);
QString currentStyleSheet();

} // namespace Appearance
