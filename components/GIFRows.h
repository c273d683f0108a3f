#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "GIFFrame.h"

// Lays out a frame's decoded indices, given in the order of the data, as the rows of
// frame.Picture (de-interlacing them when the frame is interlaced) and, for a transparent
// frame, marks in frame.Mask the pixels that hold its transparent index.  `linear` holds
// Width × Height indices, of which the first `decoded` came from the data; only those can be
// transparent.  frame.Picture and, when transparent, frame.Mask have the frame's size.
void GIFStoreRows(std::span<const uint8_t> linear, size_t decoded, TGIFFrame& frame);
