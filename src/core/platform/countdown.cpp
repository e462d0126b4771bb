#include "core/platform/countdown.h"

namespace {

int intervalMilliseconds = 1000;

} // namespace

int Countdown::interval()
{
    return intervalMilliseconds;
}

void Countdown::setInterval(int milliseconds)
{
    intervalMilliseconds = milliseconds;
}
