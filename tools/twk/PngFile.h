#pragma once

#include <string>

#include "SoftwareCanvas.h"

// Writes the bitmap as an 8-bit RGB PNG file.  Throws std::runtime_error naming the file and
// the reason when it cannot.
void WritePng(const std::string& fileName, const TSoftwareBitmap& bitmap);
