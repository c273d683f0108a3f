// What the Wine sessions of the tests and of `make run` must provide for the programs to look
// and read as on Windows (scripts/wine-session.sh sets it up), and what the build gives them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "DynamicLibrary.h"

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

// The programs' texts are single-byte strings in the system's code page: the Western
// European one, in which the Italian "è" is the byte 0xE8 that the build writes.
TEST(WineSession, WesternEuropeanCodePage) {
  EXPECT_EQ(GetACP(), 1252u);
  const char grave[] = "è";
  ASSERT_EQ(sizeof grave, 2u);
  EXPECT_EQ(static_cast<unsigned char>(grave[0]), 0xE8);
  // The system agrees on what that byte is.
  wchar_t wide[2] = {};
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, grave, -1, wide, 2), 2);
  EXPECT_EQ(wide[0], L'\u00E8');
}

// The manifest (toolkit_add_manifest) asks for common controls 6 and per-monitor DPI
// awareness (version 2, system awareness where that is unknown).
// The loader then takes comctl32.dll from the side-by-side assembly of version 6.0, on
// Windows and Wine alike (Wine's copy there still reports 5.81 through DllGetVersion, so
// the version is read from where the library came from).  Wine 8 makes every process
// DPI aware, manifest or not, so the DPI setting is checked in the resource the loader reads
// as well as in the awareness the process got.
TEST(WineSession, ManifestTakesEffect) {
  TDynamicLibrary comctl32("comctl32.dll");
  ASSERT_TRUE(comctl32.Loaded());
  char path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, sizeof path), 0u);
  std::string folder = path;
  for (char& c : folder) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_NE(folder.find("microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
            std::string::npos)
      << path;

  HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(resource, nullptr);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
  const std::string manifest(bytes, SizeofResource(nullptr, resource));
  EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
  EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
  EXPECT_TRUE(IsProcessDPIAware());
  // Wine 8 gives per-monitor awareness without telling version 2 apart (its context is
  // 0x12, which AreDpiAwarenessContextsEqual does not match with the version 2 context): the
  // awareness itself is checked.
  using GetContext = DPI_AWARENESS_CONTEXT(WINAPI*)();
  using GetAwareness = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
  HMODULE user32 = GetModuleHandleA("user32.dll");
  const auto context = reinterpret_cast<GetContext>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
  const auto awareness = reinterpret_cast<GetAwareness>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
  ASSERT_TRUE(context && awareness) << "the system has no awareness contexts";
  EXPECT_EQ(awareness(context()), DPI_AWARENESS_PER_MONITOR_AWARE);
}

}  // namespace
