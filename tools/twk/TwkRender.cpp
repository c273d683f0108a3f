#include <cstdio>
#include <cstdlib>
#include <ostream>

#include "FloatError.h"
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

}  // namespace

int TwkRender(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  std::string file, output;
  int graph = 1, frame = 1, width = 500, height = 500;
  bool allFrames = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--graph" && hasValue && ParseInt(args[i + 1], graph) && graph >= 1) {
      ++i;
    } else if (a == "--frame" && hasValue && ParseInt(args[i + 1], frame) && frame >= 1) {
      ++i;
    } else if (a == "--frames") {
      allFrames = true;
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
  if (file.empty() || output.empty()) {
    err << "usage: twk render FILE [--graph N] [--frame K | --frames] [--size WxH] -o OUT.png\n";
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
