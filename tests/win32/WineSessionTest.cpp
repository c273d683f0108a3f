// What the Wine sessions of the tests and of `make run` must provide for the programs to look
// as on Windows (scripts/wine-session.sh sets it up).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct FontFace {
  std::string name;
  BYTE charSet;
};

// The face and character set GDI gives for a request by name.
FontFace RealizedFace(const char* requested) {
  HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH, requested);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  char face[LF_FACESIZE] = {};
  GetTextFaceA(dc, sizeof face, face);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(font);
  return {face, metrics.tmCharSet};
}

// Without Wine's own fonts in the prefix both come back as DejaVu Sans, and every Marlett
// glyph (caption buttons, arrows, check marks) is drawn as a letter.
TEST(WineSession, OwnFontsAreInThePrefix) {
  const FontFace marlett = RealizedFace("Marlett");
  EXPECT_EQ(marlett.name, "Marlett");
  EXPECT_EQ(marlett.charSet, SYMBOL_CHARSET);
  EXPECT_EQ(RealizedFace("Tahoma").name, "Tahoma");
}

}  // namespace
