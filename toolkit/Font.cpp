#include "Font.h"

#include <map>

#include "GdiObject.h"
#include "Scale.h"

HFONT ToolkitCreateFont(const TFont& font) {
  LOGFONTA description = {};
  description.lfHeight = -font.Height;
  description.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = font.Italic;
  description.lfUnderline = font.Underline;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(description.lfFaceName, font.Name.c_str(), LF_FACESIZE);
  return CreateFontIndirectA(&description);
}

TFont ToolkitScaleFont(TFont font, int dpi) {
  font.Height = ToolkitScale(font.Height, dpi);
  return font;
}

HFONT ToolkitDefaultFont(int dpi) {
  // Process-wide: shared by every control window, never deleted while one may use it.  A
  // process meets a handful of DPIs at most, one per monitor scale.
  static std::map<int, TGdiObject<HFONT>> fonts;
  TGdiObject<HFONT>& font = fonts[dpi];
  if (!font) font.Reset(ToolkitCreateFont(ToolkitScaleFont(TFont{}, dpi)));
  return font.Get();
}
