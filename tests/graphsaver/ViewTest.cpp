#include "View.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "FloatError.h"
#include "ViewTestHost.h"

namespace {

constexpr TColor Back = 0x102030, Mesh = 0x808080, Fill1 = 0x800000, Fill2 = 0xFF0000,
                 Curve = 0x0000FF;

std::set<TColor> Colours(const TSoftwareBitmap& bitmap, int x0, int y0, int x1, int y1) {
  std::set<TColor> colours;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) colours.insert(bitmap.Pixel(x, y));
  }
  return colours;
}

// A flat 3 × 4 grid of samples at z = 0, seen from above.
TGraphDoc FlatGrid() {
  TGraphDoc doc;
  doc.SetText(gtFunc3, "0");
  doc.SetText(gtUMin, "0");
  doc.SetText(gtUMax, "3");
  doc.SetText(gtUDiv, "3");
  doc.SetText(gtVMin, "0");
  doc.SetText(gtVMax, "4");
  doc.SetText(gtVDiv, "4");
  doc.SetText(gtEyeX, "1.5");
  doc.SetText(gtEyeY, "2");
  doc.SetText(gtEyeZ, "30");
  doc.BackColor = Back;
  doc.MeshColor = Mesh;
  doc.FillColor1 = Fill1;
  doc.FillColor2 = Fill2;
  return doc;
}

struct TViewFixture {
  explicit TViewFixture(int width = 200, int height = 150) : host(width, height), view(host) {
    view.ImageWidth = width;
    view.ImageHeight = height;
  }
  TTestViewHost host;
  TView view;
};

TEST(View, ProjectionPutsFifteenDegreesHalfAWidthAway) {
  TViewFixture f(500, 500);
  f.view.CameraEye = {0, 0, 0};
  f.view.CameraForward = {1, 0, 0};
  f.view.CameraUp = {0, 0, 1};
  f.view.CentreX = 250;
  f.view.CentreY = 250;
  const double tan15 = std::tan(3.141592653589793 / 12);
  EXPECT_EQ(f.view.ProjectPoint({1, tan15, 0}, 500), (TScreenPoint{0, 250}));
  EXPECT_EQ(f.view.ProjectPoint({1, 0, tan15}, 500), (TScreenPoint{250, 0}));
  EXPECT_EQ(f.view.ProjectPoint({0, 7, 7}, 500), (TScreenPoint{250, 250})) << "zero depth";
  EXPECT_EQ(f.view.ProjectPoint({1, tan15, 0}, 1), (TScreenPoint{250, 250})) << "no width";
}

TEST(View, AutoCameraLooksAtTheOriginWithZUp) {
  TViewFixture f;
  TGraphDoc doc;
  doc.SetText(gtEyeX, "0");
  doc.SetText(gtEyeY, "0");
  doc.SetText(gtEyeZ, "5");
  f.view.SetGraph(&doc);
  EXPECT_EQ(f.view.CameraForward, (TVector3{0, 0, -1}));
  EXPECT_EQ(f.view.CameraUp, (TVector3{0, 1, 0}));

  doc.SetText(gtEyeZ, "0");
  f.view.SetGraph(&doc);
  EXPECT_EQ(f.view.CameraForward, (TVector3{1, 0, 0}));
  EXPECT_EQ(f.view.CameraUp, (TVector3{0, 0, 1}));

  doc.SetText(gtEyeX, "3");
  doc.SetText(gtEyeY, "4");
  doc.SetText(gtEyeZ, "0");
  f.view.SetGraph(&doc);
  EXPECT_NEAR(f.view.CameraForward.x, -0.6, 1e-15);
  EXPECT_NEAR(f.view.CameraForward.y, -0.8, 1e-15);
  EXPECT_NEAR(f.view.CameraUp.z, 1, 1e-15);
}

TEST(View, SurfaceCellsGetEveryCornerFromTheSampleLoop) {
  TViewFixture f;
  TGraphDoc doc = FlatGrid();
  doc.Shaded = 0;
  f.view.SetGraph(&doc);
  f.view.StepFrame(1, true);
  ASSERT_EQ(f.host.polygons.size(), 12u) << "3 u samples by 4 v samples";
  // Every cell is the square (u, v)..(u+1, v+1) with its corners in order; which cell is
  // where in the painter's order does not matter here.
  std::set<std::vector<std::pair<int, int>>> expected, drawn;
  for (int u = 0; u < 3; ++u) {
    for (int v = 0; v < 4; ++v) {
      std::vector<std::pair<int, int>> corners;
      for (auto [du, dv] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
        const TScreenPoint p = f.view.ProjectPoint({double(u + du), double(v + dv), 0}, 200);
        corners.emplace_back(p.x, p.y);
      }
      expected.insert(corners);
    }
  }
  for (const auto& polygon : f.host.polygons) {
    std::vector<std::pair<int, int>> corners;
    for (const TScreenPoint& p : polygon) corners.emplace_back(p.x, p.y);
    drawn.insert(corners);
  }
  EXPECT_EQ(drawn, expected);
  // with Shaded clear every cell has FillColor1; the mesh and the background show too
  EXPECT_EQ(Colours(f.host.screen, 0, 0, 200, 150), (std::set<TColor>{Back, Mesh, Fill1}));
}

TEST(View, PainterOrderDrawsFarCellsFirst) {
  TViewFixture f;
  TGraphDoc doc = FlatGrid();
  doc.SetText(gtEyeX, "-20");  // low and to the side: depths differ cell by cell
  doc.SetText(gtEyeZ, "6");
  f.view.SetGraph(&doc);
  f.view.StepFrame(1, true);
  ASSERT_EQ(f.host.polygons.size(), 12u);
  // Seen from x = -20, the row of cells at u = 2 (x from 2 to 3) is the farthest and the row
  // at u = 0 the nearest: the first polygon touches x = 3, the last one x = 0.
  const auto touches = [&](const std::vector<TScreenPoint>& polygon, double x) {
    for (int v = 0; v <= 4; ++v) {
      const TScreenPoint p = f.view.ProjectPoint({x, double(v), 0}, 200);
      if (std::find(polygon.begin(), polygon.end(), p) != polygon.end()) return true;
    }
    return false;
  };
  EXPECT_TRUE(touches(f.host.polygons.front(), 3));
  EXPECT_TRUE(touches(f.host.polygons.back(), 0));
}

TEST(View, WithoutFillOnlyMeshDotsAndTheBorderAreDrawn) {
  TViewFixture f;
  TGraphDoc doc = FlatGrid();
  doc.FillCells = 0;
  f.view.ImageBorder = 4;
  f.view.SetGraph(&doc);
  f.view.StepFrame(1, true);
  EXPECT_TRUE(f.host.polygons.empty());
  EXPECT_EQ(Colours(f.host.screen, 0, 0, 200, 150), (std::set<TColor>{Back, Mesh}));
  // 20 grid samples plus the ones past the ends: 4 × 5 points on a grid of 4 x 5 positions
  int dots = 0;
  for (int y = 0; y < 150; ++y) {
    for (int x = 0; x < 200; ++x) dots += f.host.screen.Pixel(x, y) == Mesh;
  }
  EXPECT_EQ(dots, 12) << "dots at the 3 × 4 grid samples only";
}

TEST(View, BorderFramesTheImageInTheBackgroundColour) {
  TViewFixture f(60, 40);
  TGraphDoc doc = FlatGrid();
  doc.SetText(gtEyeZ, "2");  // close: the surface fills the whole image
  f.view.ImageBorder = 4;
  f.view.SetGraph(&doc);
  f.view.StepFrame(1, true);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Colours(f.host.screen, i, i, 60 - i, i + 1), (std::set<TColor>{Back}));
    EXPECT_EQ(Colours(f.host.screen, i, 40 - 1 - i, 60 - i, 40 - i), (std::set<TColor>{Back}));
    EXPECT_EQ(Colours(f.host.screen, i, i, i + 1, 40 - i), (std::set<TColor>{Back}));
    EXPECT_EQ(Colours(f.host.screen, 60 - 1 - i, i, 60 - i, 40 - i), (std::set<TColor>{Back}));
  }
  EXPECT_GT(Colours(f.host.screen, 4, 4, 56, 36).size(), 1u) << "the surface shows inside";
}

TEST(View, PolarCircleLandsOnItsRadius) {
  TViewFixture f(400, 400);
  TGraphDoc doc;
  doc.Kind = gkCurve2D;
  doc.CoordSystem = csCylindrical;
  doc.SetText(gtFunc1, "u");
  doc.SetText(gtFunc2, "1");
  doc.SetText(gtUMin, "0");
  doc.SetText(gtUMax, "2pi");
  doc.SetText(gtUDiv, "200");
  doc.SetText(gtXMin, "-2");
  doc.SetText(gtXMax, "2");
  doc.SetText(gtYMin, "-2");
  doc.SetText(gtYMax, "2");
  doc.ShowGrid = doc.ShowAxes = doc.ShowDerivative = 0;
  doc.EqualScale = 0;
  doc.CurveColor = Curve;
  doc.BackColor = Back;
  f.view.SetGraph(&doc);
  f.view.StepFrame(1, true);
  int onCircle = 0;
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 400; ++x) {
      if (f.host.screen.Pixel(x, y) != Curve) continue;
      ++onCircle;
      EXPECT_NEAR(std::hypot(x - 200, y - 200), 100, 1.5) << x << "," << y;
    }
  }
  EXPECT_GT(onCircle, 500) << "a closed circle of radius 100 has some 600 pixels";
}

TEST(View, EqualScaleWidensTheYWindow) {
  TViewFixture f(400, 200);
  TGraphDoc doc;
  doc.Kind = gkCurve2D;
  doc.SetText(gtXMin, "-10");
  doc.SetText(gtXMax, "10");
  doc.SetText(gtYMin, "1");
  doc.SetText(gtYMax, "3");
  f.view.SetGraph(&doc);
  f.view.StepFrame(1, true);
  EXPECT_EQ(f.view.WindowYMin, 2 - 5);
  EXPECT_EQ(f.view.WindowYMax, 2 + 5);
}

TEST(View, FramesRecordThenPlayFromTheCache) {
  TViewFixture f(80, 60);
  TGraphDoc doc = FlatGrid();
  doc.SetText(gtFunc3, "sin(u+t)");
  doc.SetText(gtTMin, "0");
  doc.SetText(gtTMax, "1");
  doc.SetText(gtXMin, "t");  // shows the frame's parameter in the document
  ASSERT_EQ(doc.FrameCount, 64);
  f.view.SetGraph(&doc);
  f.view.StartRecording();
  for (int frame = 1; frame <= 64; ++frame) {
    f.view.StepFrame(frame, true);
    ASSERT_EQ(doc.XMin, (frame - 1) / 64.0L) << "t of frame " << frame;
    ASSERT_EQ(f.view.Recording(), frame < 64);
  }
  EXPECT_TRUE(f.view.Playing());
  EXPECT_EQ(f.view.RecordedCount(), 0);

  const size_t drawn = f.host.polygons.size();
  f.host.screen.SetPenColor(0x123456);
  f.host.screen.SetBrushColor(0x123456);
  f.host.screen.Rectangle(0, 0, 80, 60);
  f.view.StepFrame(1, true);  // the 65th step
  EXPECT_EQ(f.host.polygons.size(), drawn) << "playing copies, it does not render";
  const auto& slot0 = static_cast<const TSoftwareBitmap&>(f.view.CachedFrame(0));
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 80; ++x) ASSERT_EQ(f.host.screen.Pixel(x, y), slot0.Pixel(x, y));
  }
  f.view.StepFrame(-1, true);
  EXPECT_EQ(f.view.CurrentFrame(), 1) << "-1 repeats the current frame";

  TGraphDoc quarters = FlatGrid();  // TMin 0, TMax 1 and 4 frames: t = 0, .25, .5, .75
  quarters.SetText(gtTMax, "1");
  quarters.SetText(gtXMin, "t");
  quarters.FrameCount = 4;
  f.view.SetGraph(&quarters);
  for (int frame = 1; frame <= 4; ++frame) {
    f.view.StepFrame(frame, true);
    EXPECT_EQ(quarters.XMin, (frame - 1) * 0.25L);
  }
}

TEST(View, FrameCountsOutsideTheCacheAreHeldInRange) {
  TViewFixture f(40, 30);
  TGraphDoc doc = FlatGrid();
  doc.FrameCount = 1000;
  f.view.SetGraph(&doc);
  EXPECT_EQ(f.view.CycleLength(), 64);
  f.view.StartRecording();
  for (int frame = 1; frame <= 64; ++frame) f.view.StepFrame(frame, true);
  EXPECT_TRUE(f.view.Playing());
  f.view.StepFrame(65, true);  // no slot: drawn live, nothing read outside the cache
  EXPECT_EQ(f.view.CurrentFrame(), 65);

  doc.FrameCount = 0;
  f.view.SetGraph(&doc);
  EXPECT_EQ(f.view.CycleLength(), 1);
  f.view.StartRecording();
  f.view.StepFrame(1, true);
  EXPECT_TRUE(f.view.Playing());
  doc.FrameCount = -5;
  EXPECT_EQ(f.view.CycleLength(), 1);
}

TEST(View, ArithmeticFaultsLeaveTheViewAsItWas) {
  TViewFixture f(40, 30);
  TGraphDoc doc = FlatGrid();
  doc.SetText(gtUDiv, "3-3t");  // a count of 0 at t = 1
  doc.SetText(gtTMax, "4");
  doc.FrameCount = 4;
  f.view.SetGraph(&doc);
  f.view.StartRecording();
  f.view.StepFrame(1, true);
  EXPECT_THROW(f.view.StepFrame(2, true), EFloatError);
  EXPECT_EQ(f.view.RecordedCount(), 1);
  EXPECT_TRUE(f.view.Recording());
  EXPECT_THROW(f.view.StepFrame(-1, true), EFloatError) << "the same frame again";
  doc.SetText(gtUDiv, "3");
  f.view.StepFrame(-1, true);
  EXPECT_EQ(f.view.RecordedCount(), 2);
}

TEST(View, SyntaxErrorsFillTheControlAndAreReportedOnce) {
  TViewFixture f(40, 30);
  TGraphDoc doc = FlatGrid();
  doc.SetText(gtFunc2, "sin u");
  f.view.SetGraph(&doc);
  f.view.StepFrame(1, true);
  f.view.StepFrame(2, true);
  EXPECT_EQ(f.host.syntaxErrors, 1);
  EXPECT_EQ(Colours(f.host.screen, 0, 0, 40, 30), (std::set<TColor>{Back}));
  f.view.SetGraph(&doc);
  f.view.StepFrame(1, true);
  EXPECT_EQ(f.host.syntaxErrors, 2) << "a new SetGraph reports again";
}

TEST(View, PaintShowsTheSnapshotOrBlack) {
  TViewFixture f(40, 30);
  f.view.SetGraph(nullptr);
  f.view.Paint();
  EXPECT_EQ(Colours(f.host.screen, 0, 0, 40, 30), (std::set<TColor>{0}));
  f.view.StepFrame(1, true);  // no graph: nothing happens

  TGraphDoc doc = FlatGrid();
  f.view.ImageAlign = alClient;
  f.view.ImageWidth = f.view.ImageHeight = 5;
  f.view.SetGraph(&doc);
  f.view.StepFrame(1, true);
  EXPECT_EQ(f.view.ImageWidth, 40) << "alClient takes the control's size";
  EXPECT_EQ(f.view.ImageHeight, 30);
  const std::set<TColor> shown = Colours(f.host.screen, 0, 0, 40, 30);
  f.host.screen.SetPenColor(0x123456);
  f.host.screen.SetBrushColor(0x123456);
  f.host.screen.Rectangle(0, 0, 40, 30);
  f.view.Paint();
  EXPECT_EQ(Colours(f.host.screen, 0, 0, 40, 30), shown);
}

}  // namespace
