#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "GraphSet.h"

// The text form of a graph set, for reading and for writing graph sets by hand.
//
//   # a comment (whole lines only)
//   [graph]                    a graph document; keys left out take a new graph's defaults
//   Name = Waves               the 31 texts under their field names: Name, Note, Func1Text,
//   Func3Text = sin(u+t)       ..., LightZText.  The value is the rest of the line without
//                              surrounding blanks; "quoted" values keep blanks and take the
//                              escapes \\ \" \n \r \t \xHH
//   Kind = surface             curve, surface or a number
//   CoordSystem = cartesian    cartesian, cylindrical, spherical or a number
//   FrameCount = 64            FrameCount, FramesPerSecond: whole numbers
//   BackColor = 0x000000       colours: Windows colour values 0x00BBGGRR (0x0000FF is red)
//   ShowAxes = 1               options: 0 to 255, or true / false
//   TMin = 0                   TMin, TMax: decimal; left out, the value of TMinText / TMaxText
//   TMinBits = 0000...         the exact 80-bit value as 20 hex digits, most significant
//                              first; wins over TMin
//   [raw]                      a chunk that is not a graph document, written back as it stands
//   bytes = 0102ff...          its bytes in hex (tag and length included); lines add up
//
// DumpGraphSet writes every field of every chunk; BuildGraphSet of that text gives back the
// same set, so dump and build reproduce a file byte for byte.

// A line of graph set text that cannot be taken; what() reads "line N: ...".
class EGraphTextError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

std::string DumpGraphSet(const TGraphSet& set);

// Throws EGraphTextError for the first bad line, or for a graph too large to store.
TGraphSet BuildGraphSet(std::string_view text);
