#include "core/platform/versionrecord.h"

#include <QSettings>

using namespace Qt::Literals::StringLiterals;

namespace {

QString versionKey()
{
    return u"Version/ver"_s;
}

} // namespace

QString VersionRecord::read()
{
    const QSettings store(QSettings::NativeFormat, QSettings::UserScope, u"ZEMRA"_s,
                          u"RADAZizIDA"_s);
    return store.value(versionKey()).toString();
}

void VersionRecord::write(const QString &version)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, u"ZEMRA"_s, u"RADAZizIDA"_s);
    store.setValue(versionKey(), version);
}
