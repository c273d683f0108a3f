#pragma once

#include <windows.h>

#include <string>

// A font as the controls describe it: face, height in pixels (of the characters, as a
// negative LOGFONT height), weight, underline, and the colour its text is drawn in.
struct TFont {
  std::string Name = "Tahoma";
  int Height = 11;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  COLORREF Color = RGB(0, 0, 0);

  bool operator==(const TFont&) const = default;
};

// The one dialog font every control uses unless it is given another: Tahoma, 11 pixels at
// 96 DPI (8 points), the font the window layouts are designed for, at `dpi` (its height
// scaled by ToolkitScale).  One font per DPI, made on first use; each lives as long as the
// process.
HFONT ToolkitDefaultFont(int dpi = 96);

// `font`, whose height is given for 96 DPI, with its height at `dpi` (ToolkitScale).
TFont ToolkitScaleFont(TFont font, int dpi);

// A new font object for `font` (the caller owns it).
HFONT ToolkitCreateFont(const TFont& font);
