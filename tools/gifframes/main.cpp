// gifframes FILE.gif OUTDIR: writes every composed frame of an animated GIF as PNG files and
// prints what the file says about its frames, so a user can check a GIF before adding it to a
// slideshow, and tests can look at the decoder from the shell.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "GIFAnimation.h"
#include "PngWriter.h"

namespace {

const char* const Usage =
    "usage: gifframes FILE.gif OUTDIR\n"
    "\n"
    "Decodes FILE.gif, composes its frames as they are shown (disposal and transparency\n"
    "applied) and writes OUTDIR/frame-001.png, frame-002.png, ... and, when the picture has\n"
    "transparency, frame-001-mask.png, ... (white = transparent).  Prints the version, size,\n"
    "frame count, loop count (0 = for ever) and each frame's place, delay and disposal.\n"
    "Exits 0 on success, 1 when the file does not load or a PNG cannot be written.\n";

std::string FrameName(const std::filesystem::path& folder, int number, const char* suffix) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%03d%s.png", number, suffix);
  return (folder / name).string();
}

bool WriteComposed(const TGIFCanvas& canvas, const std::filesystem::path& folder, int number,
                   std::string& error) {
  const TGIFBitmap32& picture = canvas.Picture();
  std::vector<uint8_t> rgb;
  rgb.reserve(size_t(picture.Width) * size_t(picture.Height) * 3);
  for (int y = 0; y < picture.Height; ++y) {
    for (int x = 0; x < picture.Width; ++x) {
      const TGIFColor c = picture.Row(y)[x];
      rgb.insert(rgb.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
  }
  if (!PngWriteRgb(FrameName(folder, number, ""), picture.Width, picture.Height, rgb, error)) {
    return false;
  }
  const TGIFMask& mask = canvas.Mask();
  if (mask.Empty()) return true;
  const size_t rowBytes = (size_t(mask.Width) + 7) / 8;
  std::vector<uint8_t> bits;
  for (int y = 0; y < mask.Height; ++y) bits.insert(bits.end(), mask.Row(y), mask.Row(y) + rowBytes);
  return PngWriteMono(FrameName(folder, number, "-mask"), mask.Width, mask.Height, bits, error);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cout << Usage;
    return argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") ? 0 : 2;
  }
  TGIFAnimation gif;
  if (!gif.LoadFromFile(argv[1])) {
    std::cout << argv[1] << ": " << gif.LastError() << "\n";
    return 1;
  }
  const std::filesystem::path folder = argv[2];
  std::error_code failure;
  std::filesystem::create_directories(folder, failure);
  if (failure) {
    std::cout << "cannot create " << folder.string() << ": " << failure.message() << "\n";
    return 1;
  }
  const TGIFPicture& picture = gif.Picture();
  std::cout << "version " << (picture.Version == gvGIF89a ? "GIF89a" : "GIF87a") << "\n"
            << "size " << picture.Width << " x " << picture.Height << "\n"
            << "frames " << gif.FrameCount() << "\n"
            << "loop count " << picture.LoopCount << (picture.LoopCount == 0 ? " (for ever)" : "")
            << "\n";
  std::string error;
  gif.SetAnimate(true);
  gif.Timer();   // the first tick keeps frame 1, which the load has drawn
  for (int number = 1; number <= gif.FrameCount(); ++number) {
    if (number > 1) gif.Timer();
    const TGIFFrame& frame = picture.Frames[size_t(number - 1)];
    std::cout << "frame " << number << ": " << frame.Width << " x " << frame.Height << " at ("
              << frame.Left << ", " << frame.Top << "), delay " << frame.Delay << " ms, disposal "
              << frame.Disposal;
    if (frame.Transparent) std::cout << ", transparent index " << int(frame.TransparentIndex);
    if (frame.Interlaced) std::cout << ", interlaced";
    std::cout << "\n";
    if (!WriteComposed(gif.Canvas(), folder, number, error)) {
      std::cout << error << "\n";
      return 1;
    }
  }
  return 0;
}
