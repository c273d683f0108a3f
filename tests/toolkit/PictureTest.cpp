// TPicture under Wine: BMP, ICO, EMF, WMF (placeable and plain) and JPEG files the test makes,
// each a picture of four coloured quarters, drawn into a memory bitmap at the three places a
// picture control puts them (own size at the corner, centred, stretched over the control);
// the refusals through the application's error report; a bitmap resource.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "../support/ScratchFolder.h"
#include "Application.h"
#include "DeviceContext.h"
#include "GdiObject.h"
#include "DibInfo.h"
#include "JPEGReader.h"
#include "JPEGWriter.h"
#include "Picture.h"
#include "PictureStretch.h"

namespace {

// The picture: red top left, green top right, blue bottom left, yellow bottom right.
constexpr COLORREF Quarters[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
constexpr COLORREF Background = RGB(128, 128, 128);
constexpr int PictureWidth = 40, PictureHeight = 30;

COLORREF QuarterAt(int x, int y, int width, int height) {
  return Quarters[(y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0)];
}

void Put16(std::vector<uint8_t>& out, unsigned value) {
  out.insert(out.end(), {uint8_t(value), uint8_t(value >> 8)});
}
void Put32(std::vector<uint8_t>& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// BITMAPFILEHEADER, BITMAPINFOHEADER and 24-bit rows, bottom-up, padded to 4 bytes.
std::vector<uint8_t> BmpFile(int width, int height) {
  const uint32_t stride = uint32_t(width * 3 + 3) / 4 * 4;
  std::vector<uint8_t> bmp = {'B', 'M'};
  Put32(bmp, 14 + 40 + stride * uint32_t(height));  // file size
  Put32(bmp, 0);                                     // reserved
  Put32(bmp, 14 + 40);                               // offset of the pixels
  Put32(bmp, 40);                                    // biSize
  Put32(bmp, uint32_t(width));
  Put32(bmp, uint32_t(height));
  Put16(bmp, 1);                                     // planes
  Put16(bmp, 24);                                    // bits per pixel
  for (int n = 0; n < 6; ++n) Put32(bmp, 0);         // BI_RGB, sizes, resolutions, colours
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = QuarterAt(x, y, width, height);
      bmp.insert(bmp.end(), {GetBValue(c), GetGValue(c), GetRValue(c)});
    }
    bmp.resize(bmp.size() + stride - uint32_t(width) * 3);
  }
  return bmp;
}

// An icon file of one 32-bit image whose bottom-right quarter is transparent (alpha 0 and
// set in the AND mask).  Directory entry, then the image as a BITMAPINFOHEADER of twice the
// height (colour rows and mask rows), colour rows bottom-up, mask rows bottom-up.
std::vector<uint8_t> IcoFile(int width, int height) {
  const uint32_t maskStride = uint32_t(width + 31) / 32 * 4;
  const uint32_t imageSize = 40 + uint32_t(width * height) * 4 + maskStride * uint32_t(height);
  std::vector<uint8_t> ico;
  Put16(ico, 0);   // reserved
  Put16(ico, 1);   // an icon
  Put16(ico, 1);   // one image
  ico.insert(ico.end(), {uint8_t(width), uint8_t(height), 0, 0});  // size, no colour table
  Put16(ico, 1);   // planes
  Put16(ico, 32);  // bits per pixel
  Put32(ico, imageSize);
  Put32(ico, 6 + 16);  // offset of the image
  Put32(ico, 40);
  Put32(ico, uint32_t(width));
  Put32(ico, uint32_t(height * 2));
  Put16(ico, 1);
  Put16(ico, 32);
  for (int n = 0; n < 6; ++n) Put32(ico, 0);
  auto transparent = [&](int x, int y) { return x >= width / 2 && y >= height / 2; };
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = QuarterAt(x, y, width, height);
      ico.insert(ico.end(), {GetBValue(c), GetGValue(c), GetRValue(c),
                             uint8_t(transparent(x, y) ? 0 : 255)});
    }
  }
  for (int y = height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(maskStride);
    for (int x = 0; x < width; ++x) {
      if (transparent(x, y)) row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
    }
    ico.insert(ico.end(), row.begin(), row.end());
  }
  return ico;
}

// The four quarters as filled rectangles in logical units of 1 pixel.
void DrawQuarters(HDC dc, int width, int height) {
  for (int q = 0; q < 4; ++q) {
    const int left = q % 2 ? width / 2 : 0, top = q / 2 ? height / 2 : 0;
    const RECT part = {left, top, q % 2 ? width : width / 2, q / 2 ? height : height / 2};
    TGdiObject<HBRUSH> brush(CreateSolidBrush(Quarters[q]));
    FillRect(dc, &part, brush.Get());
  }
}

void EmfFile(const std::string& path, int width, int height) {
  // The frame in 0.01 mm, from pixels of the screen the metafile is made for.
  TWindowDC screen(nullptr);
  const RECT frame = {0, 0,
                      MulDiv(width, GetDeviceCaps(screen.Get(), HORZSIZE) * 100,
                             GetDeviceCaps(screen.Get(), HORZRES)),
                      MulDiv(height, GetDeviceCaps(screen.Get(), VERTSIZE) * 100,
                             GetDeviceCaps(screen.Get(), VERTRES))};
  HDC dc = CreateEnhMetaFileA(nullptr, path.c_str(), &frame, nullptr);
  ASSERT_TRUE(dc);
  DrawQuarters(dc, width, height);
  DeleteEnhMetaFile(CloseEnhMetaFile(dc));
}

// Windows metafile records: the window's extent and the quarters.  `placeable` puts
// the 22-byte header in front: key, no handle, bounding box, 96 units per inch (so one unit
// is one pixel of a 96 dpi screen), reserved, and the XOR of the ten words before.
std::vector<uint8_t> WmfFile(int width, int height, bool placeable) {
  HDC dc = CreateMetaFileA(nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, width, height, nullptr);
  DrawQuarters(dc, width, height);
  HMETAFILE metafile = CloseMetaFile(dc);
  std::vector<uint8_t> bits(GetMetaFileBitsEx(metafile, 0, nullptr));
  GetMetaFileBitsEx(metafile, UINT(bits.size()), bits.data());
  DeleteMetaFile(metafile);
  if (!placeable) return bits;
  std::vector<uint8_t> wmf;
  Put32(wmf, 0x9AC6CDD7);
  for (unsigned word : {0u, 0u, 0u, unsigned(width), unsigned(height), 96u}) Put16(wmf, word);
  Put32(wmf, 0);
  unsigned checksum = 0;
  for (size_t n = 0; n < wmf.size(); n += 2) checksum ^= unsigned(wmf[n] | wmf[n + 1] << 8);
  Put16(wmf, checksum);
  wmf.insert(wmf.end(), bits.begin(), bits.end());
  return wmf;
}

std::vector<uint8_t> JpegFile(int width, int height) {
  std::vector<uint8_t> samples;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = QuarterAt(x, y, width, height);
      samples.insert(samples.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
    }
  }
  TJPEGTestImage image;
  image.Width = width;
  image.Height = height;
  image.Subsampled = false;
  image.Quality = 100;
  return JPEGTestWrite(image, samples);
}

// A 32-bit memory bitmap filled with the background, standing for a control's parent.
class TCanvas {
public:
  TCanvas(int width, int height) : width_(width), height_(height), dc_(nullptr) {
    const BITMAPINFO info = ToolkitDibInfo(width, -height);
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    selection_ = std::make_unique<TSelection>(dc_.Get(), bitmap_.Get());
    const RECT all = {0, 0, width, height};
    TGdiObject<HBRUSH> brush(CreateSolidBrush(Background));
    FillRect(dc_.Get(), &all, brush.Get());
  }
  HDC Get() const { return dc_.Get(); }
  COLORREF Pixel(int x, int y) const {
    GdiFlush();
    const uint32_t p = static_cast<const uint32_t*>(bits_)[size_t(y) * size_t(width_) + size_t(x)];
    return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
  }
  const uint32_t* Bits() const { return static_cast<const uint32_t*>(bits_); }
  int Width() const { return width_; }
  int Height() const { return height_; }

private:
  int width_, height_;
  TMemoryDC dc_;
  TGdiObject<HBITMAP> bitmap_;
  void* bits_ = nullptr;
  std::unique_ptr<TSelection> selection_;
};

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF c) {
  char text[16];
  std::snprintf(text, sizeof text, "%06lX", static_cast<unsigned long>(c));
  return text;
}

// The centres of the four quarters of `where` show the quarters' colours (the bottom-right
// one the background for the icon, which is transparent there), and a pixel just outside
// `where` shows the background.
void ExpectQuarters(const TCanvas& canvas, const RECT& where, bool transparentCorner,
                    int tolerance, const std::string& what) {
  const int w = where.right - where.left, h = where.bottom - where.top;
  for (int q = 0; q < 4; ++q) {
    const int x = where.left + (q % 2 ? 3 * w / 4 : w / 4);
    const int y = where.top + (q / 2 ? 3 * h / 4 : h / 4);
    const COLORREF expected = q == 3 && transparentCorner ? Background : Quarters[q];
    EXPECT_TRUE(Near(canvas.Pixel(x, y), expected, tolerance))
        << what << ": quarter " << q << " at (" << x << ", " << y << ") is " << Hex(canvas.Pixel(x, y))
        << ", expected " << Hex(expected);
  }
  if (where.right + 2 < canvas.Width() && where.bottom + 2 < canvas.Height()) {
    EXPECT_EQ(canvas.Pixel(where.right + 2, where.bottom + 2), Background) << what << ": outside";
  }
  if (where.left >= 2 && where.top >= 2) {
    EXPECT_EQ(canvas.Pixel(where.left - 2, where.top - 2), Background) << what << ": outside";
  }
}

TEST(Picture, DrawsEveryFormatAtItsOwnSizeCentredAndStretched) {
  TScratchFolder folder;
  EmfFile(folder.Path("quarters.emf"), PictureWidth, PictureHeight);
  const struct {
    const char* name;
    std::string file;
    TPictureFormat format;
    bool transparentCorner;
    int tolerance;         // JPEG is lossy; the rest draws exact colours
    int sizeSlack;         // an enhanced metafile's size goes through 0.01 mm
  } cases[] = {
      {"bitmap", folder.Write("quarters.bmp", BmpFile(PictureWidth, PictureHeight)), pfBitmap, false, 0, 0},
      {"icon", folder.Write("quarters.ICO", IcoFile(24, 16)), pfIcon, true, 0, 0},
      {"enhanced metafile", folder.Path("quarters.emf"), pfEnhMetafile, false, 0, 1},
      {"placeable metafile", folder.Write("placeable.wmf", WmfFile(PictureWidth, PictureHeight, true)), pfMetafile, false, 0, 0},
      {"plain metafile", folder.Write("plain.Wmf", WmfFile(PictureWidth, PictureHeight, false)), pfMetafile, false, 0, 0},
      {"JPEG", folder.Write("quarters.jpeg", JpegFile(PictureWidth, PictureHeight)), pfJPEG, false, 24, 0},
  };
  constexpr int ControlWidth = 100, ControlHeight = 70;
  for (const auto& c : cases) {
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&] { ++changes; };
    picture.LoadFromFile(c.file);
    EXPECT_EQ(changes, 1) << c.name;
    EXPECT_EQ(picture.Format(), c.format) << c.name;
    const int w = picture.Width(), h = picture.Height();
    const int expectedWidth = c.format == pfIcon ? 24 : PictureWidth;
    const int expectedHeight = c.format == pfIcon ? 16 : PictureHeight;
    EXPECT_NEAR(w, expectedWidth, c.sizeSlack) << c.name;
    EXPECT_NEAR(h, expectedHeight, c.sizeSlack) << c.name;

    const RECT own = {0, 0, w, h};
    const int left = (ControlWidth - w) / 2, top = (ControlHeight - h) / 2;
    const RECT centred = {left, top, left + w, top + h};
    const RECT stretched = {0, 0, ControlWidth, ControlHeight};
    for (const auto& [place, rect] : {std::pair{"own size", own}, std::pair{"centred", centred},
                                      std::pair{"stretched", stretched}}) {
      TCanvas canvas(ControlWidth, ControlHeight);
      picture.Draw(canvas.Get(), rect);
      ExpectQuarters(canvas, rect, c.transparentCorner, c.tolerance,
                     std::string(c.name) + " " + place);
    }
  }
}

// The control's stretch of a JPEG picture is PictureStretch's, pixel for pixel, so the
// picture tool writes what the control shows.
TEST(Picture, StretchesJpegPicturesAsThePictureToolDoes) {
  TScratchFolder folder;
  TJPEGTestImage image;
  image.Width = 90;
  image.Height = 70;
  const std::vector<uint8_t> bytes = JPEGTestWrite(image);
  const std::string file = folder.Write("photo.jpg", bytes);
  TPicture picture;
  picture.LoadFromFile(file);
  TCanvas canvas(176, 150);
  picture.Draw(canvas.Get(), RECT{0, 0, 176, 150});
  GdiFlush();
  const TJPEGPicture decoded = JPEGRead(bytes);
  const std::vector<uint32_t> expected = PictureStretch(decoded.Pixels.data(), 90, 70, 176, 150);
  for (size_t n = 0; n < expected.size(); ++n) {
    ASSERT_EQ(canvas.Bits()[n] & 0xFFFFFF, expected[n] & 0xFFFFFF) << "pixel " << n;
  }
}

TEST(Picture, DisplaySizeDecodesLargeJpegFilesScaled) {
  TScratchFolder folder;
  TJPEGTestImage image;
  image.Width = 800;
  image.Height = 640;
  const std::string file = folder.Write("large.JPG", JPEGTestWrite(image));
  TPicture picture;
  picture.SetDisplaySize(176, 150);
  picture.LoadFromFile(file);
  EXPECT_EQ(picture.ScaleDenominator(), 4);   // 200 x 160
  EXPECT_EQ(picture.Width(), 800);            // still the file's own size
  EXPECT_EQ(picture.Height(), 640);
  picture.SetDisplaySize(0, 0);
  picture.LoadFromFile(file);
  EXPECT_EQ(picture.ScaleDenominator(), 1);
}

// The box the application's error report shows, read on another thread and closed.
std::string WatchErrorBox(const char* caption) {
  for (int attempt = 0; attempt < 1200; ++attempt) {  // polls for up to a minute
    if (HWND box = FindWindowA("#32770", caption)) {
      char text[512] = {};
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return text;
    }
    Sleep(50);
  }
  return "(no message box)";
}

std::string ReportedError(TPicture& picture, const std::string& file) {
  Application().SetTitle("Picture test");
  std::string shown;
  std::thread watcher([&] { shown = WatchErrorBox("Picture test"); });
  try {
    picture.LoadFromFile(file);
  } catch (...) {
    Application().HandleException();
  }
  watcher.join();
  return shown;
}

TEST(Picture, RefusalsReachTheErrorReportAndKeepThePicture) {
  TScratchFolder folder;
  const std::string good = folder.Write("good.bmp", BmpFile(PictureWidth, PictureHeight));
  TPicture picture;
  picture.LoadFromFile(good);
  int changes = 0;
  picture.OnChange = [&] { ++changes; };

  // The two refusals of the file itself go through the application's error report, as in
  // the editor (a box takes Wine about two seconds to close); the decoders' through the catch.
  const std::string unknown = folder.Write("notes.Txt", std::string("hi"));
  EXPECT_EQ(ReportedError(picture, unknown), "Unknown picture file extension (.Txt)");
  const std::string missing = folder.Path("missing.jpg");
  EXPECT_EQ(ReportedError(picture, missing), "Cannot open file " + missing);

  std::vector<uint8_t> damaged = JpegFile(PictureWidth, PictureHeight);
  damaged.resize(damaged.size() / 2);
  const struct {
    std::string file, message;
  } refused[] = {
      {folder.Path("animation.gif"), "Unknown picture file extension (.gif)"},
      {folder.Write("damaged.jpg", damaged), "Premature end of input file"},
      {folder.Write("text.bmp", std::string("not a bmp")), "Cannot read bitmap file "},
      {folder.Write("text.ico", std::string("not an ico")), "Cannot read icon file "},
      {folder.Write("text.emf", std::string("not an emf")), "Cannot read metafile "},
      {folder.Write("text.wmf", std::string("not a wmf")), "Cannot read metafile "},
  };
  for (const auto& r : refused) {
    try {
      picture.LoadFromFile(r.file);
      ADD_FAILURE() << r.file << " loaded";
    } catch (const std::runtime_error& error) {
      const std::string expected = r.message.ends_with(' ') ? r.message + r.file : r.message;
      EXPECT_EQ(error.what(), expected);
    }
  }

  EXPECT_EQ(changes, 0);
  EXPECT_EQ(picture.Format(), pfBitmap);
  EXPECT_EQ(picture.Width(), PictureWidth);
  picture.Clear();
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.Width(), 0);
}

TEST(Picture, LoadsABitmapResource) {
  TPicture picture;
  picture.LoadFromResource(GetModuleHandleA(nullptr), "PICTUREBMP");
  ASSERT_EQ(picture.Width(), 4);
  ASSERT_EQ(picture.Height(), 2);
  TCanvas canvas(8, 4);
  picture.Draw(canvas.Get(), RECT{0, 0, 8, 4});   // each pixel doubled both ways
  EXPECT_EQ(canvas.Pixel(1, 0), RGB(255, 0, 0));
  EXPECT_EQ(canvas.Pixel(6, 1), RGB(0, 255, 0));
  EXPECT_EQ(canvas.Pixel(2, 3), RGB(0, 0, 255));
  EXPECT_EQ(canvas.Pixel(7, 2), RGB(255, 255, 255));
  try {
    picture.LoadFromResource(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(77));
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Cannot load bitmap resource #77");
  }
  EXPECT_EQ(picture.Width(), 4);
}

}  // namespace
