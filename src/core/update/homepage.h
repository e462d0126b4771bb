#pragma once

#include <QString>

// The program's home page for the interface language in config.ini: host and path, without the
// scheme, read from En_HomePage, Jp_HomePage, De_HomePage or Fr_HomePage.
namespace HomePage {

QString keyFor(int language);
QString current();

} // namespace HomePage
