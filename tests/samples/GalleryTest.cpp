// The gallery that ships with the saver: every graph draws, loops without a jump and stays in
// its frame, as the saver shows it.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Expression.h"
#include "FloatError.h"
#include "GraphText.h"
#include "SoftwareCanvas.h"
#include "View.h"

namespace {

const TGraphSet& Gallery() {
  static const TGraphSet set = [] {
    std::ifstream in(GALLERY_TEXT, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return BuildGraphSet(text.str());
  }();
  return set;
}

std::vector<int> GalleryIndices() {
  std::vector<int> indices;
  for (int i = 0; i < Gallery().Count(); ++i) indices.push_back(i);
  return indices;
}

// The saver's screen reduced to its image, as `twk render` has it.
class TGalleryHost : public TViewHost {
public:
  TGalleryHost(int width, int height) : screen(width, height) {}
  TCanvas& ControlCanvas() override { return screen; }
  std::unique_ptr<TBitmap> NewBitmap() override { return std::make_unique<TSoftwareBitmap>(); }
  void ReportSyntaxError() override { ++syntaxErrors; }
  TSoftwareBitmap screen;
  int syntaxErrors = 0;
};

// The 4:3 shape of a full screen: the projection's scale follows the width, so a picture
// that keeps inside this image also keeps inside a square one of the same width.
constexpr int Width = 160, Height = 120, Border = 4;

std::vector<TColor> Pixels(const TSoftwareBitmap& bitmap) {
  std::vector<TColor> pixels;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) pixels.push_back(bitmap.Pixel(x, y));
  }
  return pixels;
}

class GalleryGraph : public testing::TestWithParam<int> {
protected:
  GalleryGraph() : doc_(Gallery().Doc(GetParam())), host_(Width, Height), view_(host_) {
    view_.ImageWidth = Width;
    view_.ImageHeight = Height;
    view_.ImageBorder = Border;
    view_.FollowCamera = true;
    view_.SetGraph(&doc_);
  }
  ~GalleryGraph() override { view_.SetGraph(nullptr); }

  // Frame k as the saver draws it; a floating-point error of a formula throws out of here.
  std::vector<TColor> Frame(int k) {
    view_.StepFrame(k, true);
    EXPECT_EQ(host_.syntaxErrors, 0);
    return Pixels(host_.screen);
  }

  bool Curve() const { return doc_.Kind == gkCurve2D; }

  TGraphDoc doc_;
  TGalleryHost host_;
  TView view_;
};

TEST_P(GalleryGraph, FormulasCompileAndEverySampleHasAValue) {
  for (const TGraphText text : {gtFunc1, gtFunc2, gtFunc3}) {
    if (text == gtFunc3 && Curve()) continue;
    TExpression e;
    e.Compile(doc_.Text(text));
    EXPECT_TRUE(e.Valid()) << GraphTextName(text) << " " << doc_.Text(text);
  }
  // A range that moves with t makes the rim flicker: whether the sampling loop takes one
  // more row past a moving end is left to rounding, frame by frame.
  for (const TGraphText text : {gtUMin, gtUMax, gtUDiv, gtVMin, gtVMax, gtVDiv}) {
    TExpression e;
    e.Compile(doc_.Text(text));
    EXPECT_FALSE(e.DependsOnT()) << GraphTextName(text) << " " << doc_.Text(text);
  }
  // A sample whose formula leaves its domain is a hole in the picture: none at the first
  // frame nor in the middle of the cycle, past-the-end samples included.
  for (const int frame : {1, doc_.FrameCount / 2 + 1}) {
    const long double t = doc_.TMin + (doc_.TMax - doc_.TMin) / doc_.FrameCount * (frame - 1);
    doc_.EvaluateAt(static_cast<double>(t));
    doc_.Func1.Compile(doc_.Text(gtFunc1));
    doc_.Func2.Compile(doc_.Text(gtFunc2));
    doc_.Func3.Compile(doc_.Text(Curve() ? gtFunc2 : gtFunc3));
    ASSERT_GT(doc_.UStep, 0);
    ASSERT_TRUE(Curve() || doc_.VStep > 0);
    // The renderer's loops: while below the end, then one step past it.  A curve is
    // evaluated at v = 0.
    std::vector<long double> vs{0};
    if (!Curve()) {
      vs.clear();
      for (long double v = doc_.VMin; v < doc_.VMax + doc_.VStep; v += doc_.VStep) vs.push_back(v);
    }
    int holes = 0, samples = 0;
    for (long double u = doc_.UMin; u < doc_.UMax + doc_.UStep; u += doc_.UStep) {
      for (const long double v : vs) {
        for (TExpression* f : {&doc_.Func1, &doc_.Func2, &doc_.Func3}) {
          f->Evaluate(u, v, t);
          holes += f->EvalError();
        }
        ++samples;
      }
    }
    EXPECT_EQ(holes, 0) << "of " << samples << " samples at frame " << frame;
  }
}

TEST_P(GalleryGraph, DrawsInsideItsFrameAndLoopsWithoutAJump) {
  const std::vector<TColor> first = Frame(1);
  const std::vector<TColor> middle = Frame(doc_.FrameCount / 2 + 1);
  const std::vector<TColor> fifth = Frame(5);
  // Frame FrameCount + 1 lies at t = TMax, where the next cycle starts again at frame 1.
  const std::vector<TColor> end = Frame(doc_.FrameCount + 1);
  int differ = 0;
  for (size_t i = 0; i < first.size(); ++i) differ += end[i] != first[i];
  // Up to rounding: 2pi is not quite a period of sin, and the painter's order of cells at
  // equal depth may turn on the last bit.  A jump changes thousands of pixels.
  EXPECT_LE(differ, Width * Height / 200) << "the picture at t = TMax differs from frame 1";
  // Not the middle: many graphs repeat after half a cycle or less (a rose turned by a
  // petal, |Y| with its sign flipped).
  EXPECT_NE(fifth, first) << "nothing moves";

  for (const std::vector<TColor>* frame : {&first, &middle}) {
    int drawn = 0, atEdge = 0;
    for (int y = 0; y < Height; ++y) {
      for (int x = 0; x < Width; ++x) {
        const TColor c = (*frame)[size_t(y) * Width + x];
        // A curve's plane covers the image and may run past its sides; what must stay
        // inside is the curve, above and below.  A surface must keep off the frame's
        // inner edge all round, or the screen would cut it.
        const bool ink = Curve() ? c == doc_.CurveColor : c != doc_.BackColor;
        const bool edge = Curve() ? y == 0 || y == Height - 1
                                  : x == Border || y == Border || x == Width - 1 - Border ||
                                        y == Height - 1 - Border;
        drawn += ink;
        atEdge += ink && edge;
      }
    }
    EXPECT_GT(drawn, Curve() ? 150 : Width * Height / 20) << "the picture is all but empty";
    EXPECT_EQ(atEdge, 0) << "the picture touches the edge of its image";
  }
}

std::string GraphName(const testing::TestParamInfo<int>& info) {
  std::string name = std::to_string(info.param + 1) + "_";
  for (const char c : Gallery().Doc(info.param).Text(gtName)) {
    if (std::isalnum(static_cast<unsigned char>(c))) name += c;
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Gallery, GalleryGraph, testing::ValuesIn(GalleryIndices()), GraphName);

// The set as a whole: enough graphs, of both kinds and every coordinate system, each drawn
// over one cycle of at most the 64 frames the saver caches.
TEST(Gallery, CoversBothKindsAndEveryCoordinateSystem) {
  const TGraphSet& set = Gallery();
  EXPECT_GE(set.Count(), 24);
  std::set<std::string> names;
  std::set<TCoordSystem> surfaces, curves;
  for (int i = 0; i < set.Count(); ++i) {
    const TGraphDoc& doc = set.Doc(i);
    EXPECT_TRUE(names.insert(doc.Text(gtName)).second) << "two graphs named " << doc.Text(gtName);
    (doc.Kind == gkCurve2D ? curves : surfaces).insert(doc.CoordSystem);
    EXPECT_EQ(doc.Text(gtTMin), "0") << doc.Text(gtName);
    EXPECT_EQ(doc.Text(gtTMax), "2pi") << doc.Text(gtName);
    EXPECT_TRUE(doc.FrameCount >= 2 && doc.FrameCount <= 64) << doc.Text(gtName);
  }
  EXPECT_EQ(surfaces, (std::set<TCoordSystem>{csCartesian, csCylindrical, csSpherical}));
  EXPECT_EQ(curves, (std::set<TCoordSystem>{csCartesian, csCylindrical}));
}

}  // namespace
