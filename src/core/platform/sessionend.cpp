#include "core/platform/sessionend.h"

#include "core/platform/sessionend_logind.h"

namespace {

SessionEnd *installed = nullptr;

SessionEnd &platformSessionEnd()
{
    // Never destroyed: the bus connection must not be torn down after the application object.
    static auto *const platform = new LogindSessionEnd;
    return *platform;
}

} // namespace

SessionEnd &sessionEnd()
{
    return installed ? *installed : platformSessionEnd();
}

void setSessionEnd(SessionEnd *replacement)
{
    installed = replacement;
}
