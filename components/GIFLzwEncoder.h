#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The LZW compression of GIF image data, the inverse of TGIFLzwDecoder (GIFLzw.h).
//
// pixels: colour indices in the order they are written (rows top to bottom, or the four
//   interlace passes), each below 2^minCodeSize.  May be empty: the data is then a clear code
//   and the end code.
// minCodeSize: 2 to 8, the byte written before the data in the file.  Codes start
//   minCodeSize + 1 bits wide and grow to at most 12 bits.
// fullTable: what happens when all 4096 codes are in use.  gcClearWhenFull sends a clear code
//   and starts a new table (what every decoder expects); gcKeepFullTable goes on matching
//   against the full table without adding to it, which suits data whose statistics do not
//   change and which every conforming decoder also reads.
//
// Returns the packed codes, least significant bit first, without the minimum code size byte
// and without the sub-block framing (GIFWriter.h adds both).  The first code is a clear code,
// the last the end-of-information code.  Throws std::invalid_argument, naming the value, for a
// code size outside 2 to 8 or a pixel at or above 2^minCodeSize.
enum TGIFFullTable { gcClearWhenFull, gcKeepFullTable };

std::vector<uint8_t> GIFLzwEncode(std::span<const uint8_t> pixels, int minCodeSize,
                                  TGIFFullTable fullTable = gcClearWhenFull);
