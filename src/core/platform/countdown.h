#pragma once

// The pause between two counts of the post-task countdown: one second; tests shorten it.
namespace Countdown {

int interval();
void setInterval(int milliseconds);

} // namespace Countdown
