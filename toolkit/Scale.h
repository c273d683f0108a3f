#pragma once

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
