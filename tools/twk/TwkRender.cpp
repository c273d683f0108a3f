#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "FloatError.h"
#include "GIFEncoder.h"
#include "GraphFile.h"
#include "GraphMessages.h"
#include "PngFile.h"
#include "TwkCommands.h"
#include "View.h"

namespace {

// The saver's screen, reduced to the image: a software surface, and a syntax error said on
// the terminal instead of in a message box.
class TRenderHost : public TViewHost {
public:
  TRenderHost(int width, int height, std::ostream& err) : screen(width, height), err_(err) {}
  TCanvas& ControlCanvas() override { return screen; }
  std::unique_ptr<TBitmap> NewBitmap() override { return std::make_unique<TSoftwareBitmap>(); }
  void ReportSyntaxError() override {
    err_ << "twk render: " << GraphSyntaxErrorText << "\n";
  }
  TSoftwareBitmap screen;

private:
  std::ostream& err_;
};

bool ParseInt(const std::string& text, int& value) {
  char* end = nullptr;
  const long n = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || n < -1000000 || n > 1000000) return false;
  value = static_cast<int>(n);
  return true;
}

// OUT.png for frame k of a whole cycle: OUT-001.png, OUT-002.png, ...
std::string NumberedName(const std::string& out, int frame) {
  const size_t dot = out.rfind('.');
  const size_t slash = out.find_last_of("/\\");
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  char number[16];
  std::snprintf(number, sizeof number, "-%03d", frame);
  return hasExtension ? out.substr(0, dot) + number + out.substr(dot) : out + number + ".png";
}

// The pictures of one --gif cycle are all held until the colours are chosen; this bounds
// them (a 64-frame cycle of 2000 × 2000 fits).
constexpr uint64_t GifPictureBudget = uint64_t(1) << 30;

// The saver's frame interval in hundredths of a second: a rate below 1 plays at 20 frames per
// second as in the saver, and browsers stretch delays under 2 hundredths, so 2 is the least.
int GifDelay(int framesPerSecond) {
  const int rate = framesPerSecond < 1 ? 20 : framesPerSecond;
  return std::max(2, 100 / rate);
}

std::vector<uint32_t> RgbPixels(const TSoftwareBitmap& bitmap) {
  std::vector<uint32_t> pixels(size_t(bitmap.Width()) * size_t(bitmap.Height()));
  size_t i = 0;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TColor c = bitmap.Pixel(x, y);  // 0x00BBGGRR
      pixels[i++] = (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
    }
  }
  return pixels;
}

void WriteBytes(const std::string& fileName, const std::vector<uint8_t>& bytes) {
  std::ofstream file(fileName, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  file.close();
  if (!file) throw std::runtime_error("cannot write " + fileName);
}

// One cycle of the view's graph as an animated GIF that loops for ever.
void RenderGif(TView& view, TRenderHost& host, const std::string& output, std::ostream& err) {
  const int frames = view.CycleLength();
  const uint64_t bytes = uint64_t(host.screen.Width()) * uint64_t(host.screen.Height()) * 4 * uint64_t(frames);
  if (bytes > GifPictureBudget) {
    throw std::runtime_error("a cycle of " + std::to_string(frames) + " frames of " +
                             std::to_string(host.screen.Width()) + "x" + std::to_string(host.screen.Height()) +
                             " needs " + std::to_string(bytes >> 20) + " MiB of pictures, more than --gif's " +
                             std::to_string(GifPictureBudget >> 20) + " MiB: choose a smaller --size");
  }
  std::vector<std::vector<uint32_t>> pictures;
  pictures.reserve(size_t(frames));
  for (int k = 1; k <= frames; ++k) {
    view.StepFrame(k, true);
    pictures.push_back(RgbPixels(host.screen));
    err << "\rtwk render: frame " << k << " of " << frames << std::flush;
  }
  err << "\n";
  TGIFEncodeOptions options;
  options.Delay = GifDelay(view.Graph()->FramesPerSecond);
  options.LoopCount = 0;
  TGIFEncodeStats stats;
  const std::vector<uint8_t> gif = GIFEncode(host.screen.Width(), host.screen.Height(), pictures, options, &stats);
  WriteBytes(output, gif);
  err << "twk render: " << frames << " frames, " << options.Delay << "/100 s each, ";
  if (stats.Exact) {
    err << "exact colours";
  } else {
    err << stats.QuantisedFrames << " frames reduced to 255 colours (mean error " << stats.MeanError << ")";
  }
  err << ", " << gif.size() << " bytes\n";
}

}  // namespace

int TwkRender(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  std::string file, output;
  int graph = 1, frame = 1, width = 500, height = 500;
  bool allFrames = false, gif = false, oneFrame = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--graph" && hasValue && ParseInt(args[i + 1], graph) && graph >= 1) {
      ++i;
    } else if (a == "--frame" && hasValue && ParseInt(args[i + 1], frame) && frame >= 1) {
      oneFrame = true;
      ++i;
    } else if (a == "--frames") {
      allFrames = true;
    } else if (a == "--gif") {
      gif = true;
    } else if (a == "--size" && hasValue &&
               std::sscanf(args[i + 1].c_str(), "%dx%d", &width, &height) == 2 && width > 0 &&
               height > 0 && width <= 8192 && height <= 8192) {
      ++i;
    } else if (a == "-o" && hasValue) {
      output = args[++i];
    } else if (file.empty() && !a.starts_with("-")) {
      file = a;
    } else {
      err << "twk render: bad argument '" << a << "'\n";
      return 2;
    }
  }
  if (file.empty() || output.empty() || int(oneFrame) + int(allFrames) + int(gif) > 1) {
    err << "usage: twk render FILE [--graph N] [--frame K | --frames | --gif] [--size WxH] -o OUT\n";
    return 2;
  }
  try {
    TGraphSet set = LoadGraphFile(file);
    if (graph > set.Count()) {
      err << "twk render: " << file << " holds " << set.Count() << " graphs, not " << graph << "\n";
      return 1;
    }
    TRenderHost host(width, height, err);
    TView view(host);
    // As the saver shows it: a surface framed by 4 pixels of background, a curve over the
    // whole image, the camera following t.
    view.ImageWidth = width;
    view.ImageHeight = height;
    view.ImageBorder = 4;
    view.FollowCamera = true;
    view.SetGraph(&set.Doc(graph - 1));
    if (gif) {
      RenderGif(view, host, output, err);
      view.SetGraph(nullptr);
      out << output << "\n";
      return 0;
    }
    const int first = allFrames ? 1 : frame, last = allFrames ? view.CycleLength() : frame;
    for (int k = first; k <= last; ++k) {
      view.StepFrame(k, true);
      const std::string name = allFrames ? NumberedName(output, k) : output;
      WritePng(name, host.screen);
      if (allFrames) err << "\rtwk render: frame " << k << " of " << last << std::flush;
    }
    if (allFrames) err << "\n";
    view.SetGraph(nullptr);
    out << (allFrames ? NumberedName(output, first) + " .. " + NumberedName(output, last) : output)
        << "\n";
    return 0;
  } catch (const std::exception& e) {
    err << "twk render: " << e.what() << "\n";
    return 1;
  }
}
