#include "Font.h"

#include "GdiObject.h"

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

HFONT ToolkitDefaultFont() {
  // Process-wide: shared by every control window, never deleted while one may use it.
  static TGdiObject<HFONT> font(ToolkitCreateFont(TFont{}));
  return font.Get();
}
