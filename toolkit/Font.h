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

// The one dialog font every control uses unless it is given another: Tahoma, 11 pixels (8
// points on a 96 DPI screen), the font the window layouts are designed for.  Lives as long as
// the process.
HFONT ToolkitDefaultFont();

// A new font object for `font` (the caller owns it).
HFONT ToolkitCreateFont(const TFont& font);
