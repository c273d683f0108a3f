// Differential test against giflib: for generated files, our decoded frame indices must equal
// giflib's, and our composed frames must equal a plain composition of giflib's frames.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "GIFAnimation.h"
#include "GIFEncoder.h"
#include "GIFEncoderSamples.h"
#include "GIFTestFiles.h"
#include "GiflibMemory.h"

namespace {

TGiflibFile GiflibSlurp(const std::vector<uint8_t>& bytes, TGiflibInput& input) {
  input = {bytes, 0};
  TGiflibFile gif = GiflibOpen(input);
  if (!gif) return nullptr;
  if (DGifSlurp(gif.get()) != GIF_OK) return nullptr;
  return gif;
}

// The composition rules written out plainly, top-down, one pixel at a time, from giflib's
// frames.  Mask value true = transparent.
class TPlainComposer {
public:
  TPlainComposer(const GifFileType& gif, int width, int height)
      : gif_(gif), width_(width), height_(height),
        picture_(size_t(width) * size_t(height), 0), mask_(picture_.size(), 1) {
    for (int k = 0; k < gif.ImageCount; ++k) hasTransparency_ |= Control(k).TransparentColor >= 0;
    saved_.resize(size_t(gif.ImageCount));
  }

  void Draw(int k) {
    const SavedImage& image = gif_.SavedImages[k];
    const GifImageDesc& d = image.ImageDesc;
    const GraphicsControlBlock control = Control(k);
    if (Disposal(k) == 3) {
      saved_[size_t(k)].clear();
      for (int y = 0; y < d.Height; ++y) {
        for (int x = 0; x < d.Width; ++x) {
          const size_t at = At(d.Left + x, d.Top + y);
          saved_[size_t(k)].push_back({picture_[at], mask_[at]});
        }
      }
    }
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif_.SColorMap;
    for (int y = 0; y < d.Height; ++y) {
      for (int x = 0; x < d.Width; ++x) {
        const int index = image.RasterBits[y * d.Width + x];
        if (control.TransparentColor >= 0 && index == control.TransparentColor) continue;
        uint32_t color = 0;
        if (map && index < map->ColorCount) {
          const GifColorType& c = map->Colors[index];
          color = uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
        }
        picture_[At(d.Left + x, d.Top + y)] = color;
        mask_[At(d.Left + x, d.Top + y)] = 0;
      }
    }
  }

  void Dispose(int k) {
    const GifImageDesc& d = gif_.SavedImages[k].ImageDesc;
    const int disposal = Disposal(k);
    size_t i = 0;
    for (int y = 0; y < d.Height; ++y) {
      for (int x = 0; x < d.Width; ++x) {
        const size_t at = At(d.Left + x, d.Top + y);
        if (disposal == 2) {
          picture_[at] = 0;
          mask_[at] = 1;
        } else if (disposal == 3) {
          picture_[at] = saved_[size_t(k)][i].first;
          mask_[at] = saved_[size_t(k)][i++].second;
        }
      }
    }
  }

  // Compares with our composed picture and mask; returns a description of the first mismatch.
  std::string Compare(const TGIFCanvas& canvas) const {
    const TGIFBitmap32& ours = canvas.Picture();
    if (ours.Width != width_ || ours.Height != height_) return "picture size differs";
    if (canvas.Mask().Empty() == hasTransparency_) return "mask presence differs";
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (ours.Row(y)[x] != picture_[At(x, y)]) {
          return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") differs";
        }
        if (hasTransparency_ && canvas.Mask().White(x, y) != bool(mask_[At(x, y)])) {
          return "mask bit (" + std::to_string(x) + ", " + std::to_string(y) + ") differs";
        }
      }
    }
    return "";
  }

private:
  GraphicsControlBlock Control(int k) const {
    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(const_cast<GifFileType*>(&gif_), k, &control);
    return control;
  }
  int Disposal(int k) const {
    const int d = Control(k).DisposalMode;
    return d == 0 || d == 1 || d == 3 ? d : 2;
  }
  size_t At(int x, int y) const { return size_t(y) * size_t(width_) + size_t(x); }

  const GifFileType& gif_;
  int width_, height_;
  std::vector<uint32_t> picture_;
  std::vector<uint8_t> mask_;
  bool hasTransparency_ = false;
  std::vector<std::vector<std::pair<uint32_t, uint8_t>>> saved_;
};

// Decodes one file both ways and compares every frame, then plays it through once and wraps
// to frame 1 (so disposal of the last frame is checked too).
void CheckAgainstGiflib(const std::vector<uint8_t>& bytes, const std::string& name) {
  SCOPED_TRACE(name);
  TGiflibInput input;
  const TGiflibFile gif = GiflibSlurp(bytes, input);
  ASSERT_TRUE(gif) << "giflib refused the file";

  TGIFAnimation ours;
  ASSERT_TRUE(ours.LoadFromBytes(bytes)) << ours.LastError();
  ASSERT_EQ(ours.FrameCount(), gif->ImageCount);
  for (int k = 0; k < gif->ImageCount; ++k) {
    const GifImageDesc& d = gif->SavedImages[k].ImageDesc;
    const TGIFBitmap8& picture = ours.Picture().Frames[size_t(k)].Picture;
    ASSERT_EQ(picture.Width, d.Width);
    ASSERT_EQ(picture.Height, d.Height);
    for (int y = 0; y < d.Height; ++y) {
      ASSERT_EQ(0, std::memcmp(picture.Row(y), gif->SavedImages[k].RasterBits + y * d.Width,
                               size_t(d.Width)))
          << "frame " << k + 1 << " row " << y;
    }
  }

  TPlainComposer plain(*gif, ours.Picture().Width, ours.Picture().Height);
  plain.Draw(0);
  ASSERT_EQ(plain.Compare(ours.Canvas()), "") << "frame 1 after load";
  ours.SetLoop(true);
  ours.SetAnimate(true);
  ours.Timer();   // the first tick shows the frame already drawn
  for (int step = 1; step <= gif->ImageCount; ++step) {
    const int k = step % gif->ImageCount;
    ours.Timer();
    plain.Dispose(k == 0 ? gif->ImageCount - 1 : k - 1);
    plain.Draw(k);
    ASSERT_EQ(plain.Compare(ours.Canvas()), "") << "frame " << k + 1 << " at step " << step;
  }
}

TEST(GIFGiflib, RandomFilesDecodeAndComposeAlike) {
  std::mt19937 random(20240607);
  for (int n = 0; n < 400; ++n) {
    CheckAgainstGiflib(GIFWrite(GIFRandomFile(random)), "random file " + std::to_string(n));
    if (HasFatalFailure()) return;
  }
}

// Larger noisy frames fill the 4096-entry table many times over, with and without clear codes
// at the full table, at every code size.
TEST(GIFGiflib, FullTablesAtEveryCodeSize) {
  std::mt19937 random(7);
  for (int codeSize = 2; codeSize <= 8; ++codeSize) {
    for (const bool deferred : {false, true}) {
      TGIFFileSpec file;
      file.Width = 300;
      file.Height = 200;
      file.GlobalTable.assign(size_t(1) << codeSize, 0x123456);
      TGIFFrameSpec frame;
      frame.Width = file.Width;
      frame.Height = file.Height;
      frame.MinCodeSize = codeSize;
      frame.FullTable = deferred ? gcKeepFullTable : gcClearWhenFull;
      frame.Interlaced = deferred;
      frame.Pixels.resize(size_t(frame.Width) * size_t(frame.Height));
      for (auto& p : frame.Pixels) p = uint8_t(random() % (1u << codeSize));
      file.Frames.push_back(frame);
      CheckAgainstGiflib(GIFWrite(file), "code size " + std::to_string(codeSize) +
                                             (deferred ? ", no clear at full table" : ""));
      if (HasFatalFailure()) return;
    }
  }
}

// What the encoder writes, giflib reads as our decoder does, frame by frame and composed;
// where the colours fit, the composed frames are the encoder's input.
TEST(GIFGiflib, EncodedAnimationsReadBackAlike) {
  struct TCase {
    const char* what;
    TGIFSampleAnimation animation;
    bool exact;
  };
  TGIFSampleAnimation still = GIFSampleDisc(90, 60, 5, 30);
  still.Frames.insert(still.Frames.begin() + 2, 2, still.Frames[2]);
  TGIFSampleAnimation mixed = GIFSampleDisc(300, 200, 8, 40);
  mixed.Frames[3] = GIFSampleDisc(300, 200, 8, 200, 30).Frames[3];
  TGIFSampleAnimation quantised = GIFSampleGradient(80, 50, 3);
  quantised.Frames.push_back(GIFSampleDisc(80, 50, 1, 20).Frames[0]);
  const TCase cases[] = {
      {"global table, still frames", still, true},
      {"a frame with its own table", mixed, true},
      {"quantised frames, then an exact one", quantised, false},
      {"one pixel", {1, 1, {{0x123456}, {0x654321}}}, true},
  };
  for (const TCase& c : cases) {
    TGIFEncodeStats stats;
    const std::vector<uint8_t> bytes =
        GIFEncode(c.animation.Width, c.animation.Height, c.animation.Frames, {4, 0}, &stats);
    EXPECT_EQ(stats.Exact, c.exact) << c.what;
    CheckAgainstGiflib(bytes, c.what);
    if (HasFatalFailure()) return;
    const auto shown = GIFShownFrames(bytes);
    if (c.exact) {
      EXPECT_EQ(shown, c.animation.Frames) << c.what;
    } else {
      EXPECT_EQ(shown.back(), c.animation.Frames.back()) << c.what << ": the exact last frame";
    }
  }
}

}  // namespace
