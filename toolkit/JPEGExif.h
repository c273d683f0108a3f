#pragma once

#include <cstddef>
#include <cstdint>

// The orientation tag (0x0112) of a JPEG file's EXIF data: how the stored picture must be
// turned to stand upright, 1 (as stored) to 8, as the EXIF standard numbers them.
// `app1` is the body of the file's APP1 marker; anything that is not EXIF data with a valid
// orientation in its first directory gives 1.
int JPEGExifOrientation(const uint8_t* app1, size_t length);
