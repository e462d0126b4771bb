#include "core/platform/desktopnotices.h"

#include "core/platform/desktopnotices_dbus.h"

namespace {

DesktopNotices *installed = nullptr;

DesktopNotices &platformNotices()
{
    // Never destroyed: the bus connection must not be torn down after the application object.
    static auto *const platform = new DBusDesktopNotices;
    return *platform;
}

} // namespace

DesktopNotices &desktopNotices()
{
    return installed ? *installed : platformNotices();
}

void setDesktopNotices(DesktopNotices *replacement)
{
    installed = replacement;
}
