// TGIFImage under Wine, in-process: the control paints into a 32-bit DIB section through GDI,
// and every pixel is compared with the core's composed picture and mask placed by hand, so
// GDI's block transfers, the mask raster operations and the placement rules are checked
// together.  Then the animation: its timer advances frames on the window thread.
#include "GIFImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "DeviceContext.h"
#include "DibInfo.h"
#include "Form.h"
#include "GIFTestFiles.h"
#include "GdiObject.h"
#include "../support/MessagePump.h"

namespace {

constexpr uint32_t Background = 0x00ABCDEF;
constexpr uint32_t Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF, White = 0xFFFFFF;

// A width × height 32-bit top-down bitmap selected into a memory device context, filled
// with Background.
class TTarget {
public:
  TTarget(int width, int height) : width_(width), memory_(nullptr) {
    const BITMAPINFO info = ToolkitDibInfo(width, -height);
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<uint32_t*>(bits);
    selection_.emplace(memory_.Get(), bitmap_.Get());
    std::fill(bits_, bits_ + size_t(width) * size_t(height), Background);
  }
  HDC DC() const { return memory_.Get(); }
  uint32_t Pixel(int x, int y) const {
    GdiFlush();
    return bits_[size_t(y) * size_t(width_) + size_t(x)] & 0xFFFFFF;
  }

private:
  int width_;
  TMemoryDC memory_;
  TGdiObject<HBITMAP> bitmap_;
  uint32_t* bits_ = nullptr;
  std::optional<TSelection> selection_;
};

// What the control should show at picture pixel (x, y): the background where the mask is
// white, the composed picture elsewhere.
uint32_t Composed(const TGIFImage& image, int x, int y, bool useMask) {
  const TGIFCanvas& canvas = image.Canvas();
  if (useMask && canvas.Mask().White(x, y)) return Background;
  return canvas.Picture().Row(y)[x];
}

// A 7 × 5 picture of four colours, index 3 transparent when `transparent`.
std::vector<uint8_t> Pattern(bool transparent) {
  TGIFFileSpec file;
  file.Width = 7;
  file.Height = 5;
  file.GlobalTable = {Red, Green, Blue, White};
  TGIFFrameSpec frame;
  frame.Width = 7;
  frame.Height = 5;
  for (int i = 0; i < 35; ++i) frame.Pixels.push_back(uint8_t((i * 7 / 5 + i / 7) % 4));
  frame.MinCodeSize = 2;
  frame.Control = true;
  frame.Transparent = transparent;
  frame.TransparentIndex = 3;
  file.Frames.push_back(frame);
  return GIFWrite(file);
}

// Unstretched placements: every pixel of the control shows the picture pixel the placement
// puts there, or the background (or Color with Opaque) where there is none.  The control
// sits at (5, 3) on a form, painted as the form paints it.
TEST(GIFImagePaint, PlainCentredTiledAndTransparent) {
  struct TCase {
    const char* name;
    bool transparent, center, tile, opaque;
    int width, height;
    bool controlOpaque;   // the parent may skip the background beneath
  };
  const TCase cases[] = {
      {"plain opaque picture", false, false, false, false, 12, 9, false},
      {"opaque picture covering the control", false, false, false, false, 7, 5, true},
      {"plain transparent picture", true, false, false, false, 12, 9, false},
      {"Opaque fills the rest with Color", true, false, false, true, 12, 9, false},
      {"Opaque under a covering transparent picture", true, false, false, true, 7, 5, true},
      {"centred", true, true, false, false, 12, 10, false},
      {"centred in a smaller control", true, true, false, false, 4, 3, false},
      {"tiled opaque picture", false, false, true, false, 20, 13, true},
      {"tiled transparent picture", true, false, true, false, 20, 13, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TForm form(nullptr);
    TGIFImage image(nullptr);
    ASSERT_TRUE(image.LoadFromBytes(Pattern(c.transparent)));
    image.SetParent(&form);
    image.SetBounds(5, 3, c.width, c.height);
    image.SetCenter(c.center);
    image.SetTile(c.tile);
    image.SetOpaque(c.opaque);
    image.SetColor(0x123456);
    TTarget target(40, 30);
    form.PaintControls(target.DC());

    const int w = image.PictureWidth(), h = image.PictureHeight();
    const int dx = c.center ? (c.width - w) / 2 : 0, dy = c.center ? (c.height - h) / 2 : 0;
    int mismatches = 0;
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 40; ++x) {
        const int cx = x - 5, cy = y - 3;   // control coordinates
        uint32_t expected = Background;
        if (cx >= 0 && cy >= 0 && cx < c.width && cy < c.height) {
          if (c.opaque) expected = 0x563412;   // COLORREF 0x00BBGGRR as a pixel 0x00RRGGBB
          int px = cx - dx, py = cy - dy;
          if (c.tile) px %= w, py %= h;
          if (px >= 0 && py >= 0 && px < w && py < h) {
            const uint32_t shown = Composed(image, px, py, c.transparent);
            if (!(c.transparent && image.Canvas().Mask().White(px, py))) expected = shown;
          }
        }
        if (target.Pixel(x, y) != expected && ++mismatches <= 5)
          ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << target.Pixel(x, y)
                        << ", expected " << expected;
      }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(image.ControlOpaque(), c.controlOpaque);
  }
}

// The form erases its background around an opaque control but not beneath it, so the
// picture is not overdrawn before it paints; beneath a transparent one it erases.  A form
// destroyed before the controls it owns leaves them without a parent.
TEST(GIFImagePaint, ParentErasesAroundOpaqueControls) {
  for (const bool transparent : {false, true}) {
    SCOPED_TRACE(transparent ? "transparent picture" : "opaque picture");
    TForm form(nullptr);
    form.SetColor(RGB(0, 0x80, 0));
    TGIFImage image(nullptr);
    ASSERT_TRUE(image.LoadFromBytes(Pattern(transparent)));
    image.SetParent(&form);
    image.SetBounds(5, 3, 7, 5);
    TTarget target(20, 12);
    image.Paint(target.DC());   // sets the opaque mark, as the form's first paint does
    TTarget erased(20, 12);
    SendMessageA(form.Handle(), WM_ERASEBKGND, WPARAM(erased.DC()), 0);
    EXPECT_EQ(erased.Pixel(0, 0), 0x008000u);
    EXPECT_EQ(erased.Pixel(8, 5), transparent ? 0x008000u : Background);
  }
  auto* form = new TForm(nullptr);
  auto* image = new TGIFImage(form);   // owned by the form (the toolkit's ownership rule)
  image->SetParent(form);
  form->Handle();
  delete form;
}

// A 100 × 50 picture of four 50 × 25 quadrants (red, green, blue, transparent) in a
// 176 × 150 control: with StretchRatio it fills 176 × 88 from row 31, with Stretch all of it.
TEST(GIFImagePaint, StretchAndStretchRatio) {
  TGIFFileSpec file;
  file.Width = 100;
  file.Height = 50;
  file.GlobalTable = {Red, Green, Blue, White};
  TGIFFrameSpec frame;
  frame.Width = 100;
  frame.Height = 50;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 100; ++x) frame.Pixels.push_back(uint8_t((y >= 25) * 2 + (x >= 50)));
  frame.MinCodeSize = 2;
  frame.Control = true;
  frame.Transparent = true;
  frame.TransparentIndex = 3;
  file.Frames.push_back(frame);

  for (const bool ratio : {true, false}) {
    SCOPED_TRACE(ratio ? "StretchRatio" : "Stretch");
    TGIFImage image(nullptr);
    ASSERT_TRUE(image.LoadFromBytes(GIFWrite(file)));
    image.SetBounds(0, 0, 176, 150);
    image.SetStretchRatio(ratio);
    image.SetStretch(!ratio);
    TTarget target(176, 150);
    image.Paint(target.DC());
    const int top = ratio ? 31 : 0, bottom = ratio ? 119 : 150;
    const int middle = (top + bottom) / 2;
    if (ratio) {
      EXPECT_EQ(target.Pixel(88, top - 1), Background);
      EXPECT_EQ(target.Pixel(88, bottom), Background);
    }
    // The corners and the middles of the four quadrants.
    EXPECT_EQ(target.Pixel(0, top), Red);
    EXPECT_EQ(target.Pixel(44, (top + middle) / 2), Red);
    EXPECT_EQ(target.Pixel(175, top), Green);
    EXPECT_EQ(target.Pixel(132, (top + middle) / 2), Green);
    EXPECT_EQ(target.Pixel(0, bottom - 1), Blue);
    EXPECT_EQ(target.Pixel(44, (middle + bottom) / 2), Blue);
    EXPECT_EQ(target.Pixel(175, bottom - 1), Background);
    EXPECT_EQ(target.Pixel(132, (middle + bottom) / 2), Background);
  }
}

// Two frames: a 6 × 4 red field, then a 2 × 2 transparent-cornered patch at (3, 1).  The
// painted control follows CurrentFrame; with Visible off it paints nothing.
TEST(GIFImagePaint, FollowsTheShownFrame) {
  TGIFFileSpec file;
  file.Width = 6;
  file.Height = 4;
  file.GlobalTable = {Red, Green, Blue, White};
  TGIFFrameSpec first;
  first.Width = 6;
  first.Height = 4;
  first.Pixels.assign(24, 0);
  first.MinCodeSize = 2;
  TGIFFrameSpec second;
  second.Left = 3;
  second.Top = 1;
  second.Width = 2;
  second.Height = 2;
  second.Pixels = {3, 1, 2, 1};
  second.MinCodeSize = 2;
  second.Control = true;
  second.Transparent = true;
  second.TransparentIndex = 3;
  file.Frames = {first, second};

  TGIFImage image(nullptr);
  ASSERT_TRUE(image.LoadFromBytes(GIFWrite(file)));
  image.SetBounds(0, 0, 6, 4);
  image.SetCurrentFrame(2);
  TTarget target(6, 4);
  image.Paint(target.DC());
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(target.Pixel(x, y), Composed(image, x, y, false));
  EXPECT_EQ(target.Pixel(3, 1), Red);     // transparent in frame 2: frame 1 shows through
  EXPECT_EQ(target.Pixel(4, 1), Green);
  EXPECT_EQ(target.Pixel(3, 2), Blue);

  image.SetVisible(false);
  TTarget hidden(6, 4);
  image.Paint(hidden.DC());
  EXPECT_EQ(hidden.Pixel(4, 1), Background);
}

// Loads that fail leave the control empty and report false; nothing throws.
TEST(GIFImageLoad, FailuresLeaveTheControlEmpty) {
  TGIFImage image(nullptr);
  ASSERT_TRUE(image.LoadFromBytes(Pattern(false)));
  EXPECT_FALSE(image.LoadFromFile("no such file.gif"));
  EXPECT_FALSE(image.Empty()) << "a missing file keeps the picture";
  std::istringstream text("This is plain text, not a picture.");
  EXPECT_FALSE(image.LoadFromStream(text));
  EXPECT_TRUE(image.Empty());
  image.SetAutoSize(true);
  std::istringstream gif(std::string(reinterpret_cast<const char*>(Pattern(false).data()),
                                     Pattern(false).size()));
  EXPECT_TRUE(image.LoadFromStream(gif));
  EXPECT_EQ(image.Width(), 7);
  EXPECT_EQ(image.Height(), 5);
}

// Animation with the real timer, both modes: after the first paint the frames advance on the
// window thread and wrap; a one-frame picture never starts the timer.
TEST(GIFImageAnimation, TicksAdvanceFramesOnTheWindowThread) {
  TGIFFileSpec file;
  file.Width = 2;
  file.Height = 2;
  file.GlobalTable = {Red, Green, Blue, White};
  file.LoopCount = 0;
  for (uint8_t colour = 0; colour < 3; ++colour) {
    TGIFFrameSpec frame;
    frame.Width = 2;
    frame.Height = 2;
    frame.Pixels.assign(4, colour);
    frame.MinCodeSize = 2;
    frame.Control = true;
    frame.Delay = 1;
    file.Frames.push_back(frame);
  }
  for (const bool threaded : {true, false}) {
    SCOPED_TRACE(threaded ? "threaded" : "message timer");
    TGIFImage image(nullptr);
    image.SetThreaded(threaded);
    ASSERT_TRUE(image.LoadFromBytes(GIFWrite(file)));
    std::vector<uint32_t> shown;
    int wraps = 0;
    image.OnChange = [&](TComponent* sender) {
      EXPECT_EQ(sender, &image);
      shown.push_back(image.Canvas().Picture().Row(0)[0]);
    };
    image.OnWrapAnimation = [&](TComponent*) { ++wraps; };
    image.SetAnimate(true);
    TTarget target(2, 2);
    image.Paint(target.DC());   // the first paint arms the timer
    ASSERT_TRUE(PumpUntil([&] { return wraps >= 2; }));
    // The first tick keeps frame 1; then green, blue (wrap), red, green, blue (wrap).
    ASSERT_EQ(shown.size(), 6u);
    const uint32_t cycle[] = {Red, Green, Blue};
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(shown[i], cycle[i % 3]) << "change " << i;
  }

  // The still picture is checked once an animated one, started beside it, has wrapped twice.
  TGIFImage witness(nullptr);
  ASSERT_TRUE(witness.LoadFromBytes(GIFWrite(file)));
  int wraps = 0;
  witness.OnWrapAnimation = [&](TComponent*) { ++wraps; };
  witness.SetAnimate(true);
  file.Frames.resize(1);
  TGIFImage still(nullptr);
  ASSERT_TRUE(still.LoadFromBytes(GIFWrite(file)));
  int changes = 0;
  still.OnChange = [&](TComponent*) { ++changes; };
  still.SetAnimate(true);
  TTarget target(2, 2);
  still.Paint(target.DC());
  witness.Paint(target.DC());
  ASSERT_TRUE(PumpUntil([&] { return wraps >= 2; }));
  EXPECT_EQ(changes, 0);
}

}  // namespace
