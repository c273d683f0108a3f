#pragma once

#include <initializer_list>

// The one scaling rule of the toolkit.  Layout tables, font heights and control metrics are
// written in pixels of a 96-DPI screen (100 %); a form re-expresses them in the pixels of the
// screen it shows on, and again when it moves to a screen of another scale.

// The DPI the layouts are written for.
inline constexpr int ToolkitDesignDpi = 96;

// `value` pixels at `fromDpi` as pixels at `toDpi`: value × toDpi / fromDpi rounded to the
// nearest integer, halves away from zero (the rule of Windows' MulDiv, so that a negative
// offset scales as the mirror of the positive one).  `fromDpi` must be positive; the product
// is formed in 64 bits, and a result outside the int range is clamped to it.
int ToolkitScale(int value, int toDpi, int fromDpi = ToolkitDesignDpi);

// A length that follows DPI changes without drifting: each change scales the value it was
// last given, at the DPI it was given at, rather than the previous change's rounded result,
// so that 96 -> 192 -> 120 -> 144 -> 96 ends on the layout table's number.  A value that
// something else changed since the last scaling is taken as the new origin.
class TScaledLength {
public:
  // `current` (the value now, at `fromDpi`) at `toDpi`.
  int Scale(int current, int fromDpi, int toDpi);

private:
  int origin_ = 0;
  int originDpi_ = ToolkitDesignDpi;
  int last_ = 0;
  bool scaled_ = false;
};

// Of pictures drawn at several scales (percentages, ascending, 100 first), the one to show at
// `dpi`: the nearest to the DPI's scale, the smaller on a tie, since a picture a little small
// for its place stays whole and sharp while one too large would be cut.  Pictures are never
// stretched to the exact scale: that would blur them.
int ToolkitPictureScale(int dpi, std::initializer_list<int> percents);
