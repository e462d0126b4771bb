#include "core/update/homepage.h"

#include "core/settings/settings.h"

using namespace Qt::Literals::StringLiterals;

QString HomePage::keyFor(int language)
{
    switch (language) {
    case 3:
        return u"Jp_HomePage"_s;
    case 4:
        return u"De_HomePage"_s;
    case 5:
        return u"Fr_HomePage"_s;
    default:
        return u"En_HomePage"_s;
    }
}

QString HomePage::current()
{
    const AppSettings settings;
    return settings.string(keyFor(settings.language()));
}
