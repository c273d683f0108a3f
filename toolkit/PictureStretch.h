#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Stretches a picture of 32-bit pixels (rows top-down, no padding) to another size, each
// direction on its own (the aspect ratio is not kept), by taking for every target pixel the
// source pixel under its centre.  The picture control and the picture tool both stretch with
// it, so the tool writes what the control shows.  Returns targetWidth × targetHeight pixels;
// empty when either picture has a side of 0 or less.
std::vector<uint32_t> PictureStretch(const uint32_t* source, int sourceWidth, int sourceHeight,
                                     int targetWidth, int targetHeight);
