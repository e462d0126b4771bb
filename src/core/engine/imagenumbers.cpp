#include "core/engine/imagenumbers.h"

int ImageNumbers::assign(int images, bool joined)
{
    if (advancePending)
        ++number;
    const int first = number;
    if (images > 0)
        number += images - 1;
    advancePending = images > 0 && !joined;
    return first;
}

void ImageNumbers::restartAt(int first)
{
    number = first;
    advancePending = false;
}
