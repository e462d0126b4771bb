#pragma once

#include "cli/plan.h"

// The bytes a pixel of the run's images when their format compresses by content, measured on a
// few of its PDFs: those with the most bytes a page, where pictures rather than text fill the
// pages. A fixed few whatever the size of the batch.
namespace RoomSample {

constexpr int files = 3;
constexpr int pagesPerFile = 4;

// 0 when the format is not measured or no sample could be rendered: the room is then the
// encoder's worst case.
double bytesPerPixel(const Plan &plan);

} // namespace RoomSample
