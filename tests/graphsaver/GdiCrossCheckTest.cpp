// The software canvas against GDI itself: the same drawing calls on both give the same
// pixels, lines, polygon edges and whole rendered graphs alike.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>

#include "DeviceContext.h"
#include "Form.h"
#include "GdiCanvas.h"
#include "GraphView.h"
#include "GraphText.h"
#include "SoftwareCanvas.h"
#include "View.h"

namespace {

template <typename Bitmap>
class THost : public TViewHost {
public:
  THost(int width, int height) { screen.SetSize(width, height); }
  TCanvas& ControlCanvas() override { return screen; }
  std::unique_ptr<TBitmap> NewBitmap() override { return std::make_unique<Bitmap>(); }
  void ReportSyntaxError() override {}
  Bitmap screen;
};

int Differences(const TGdiBitmap& gdi, const TSoftwareBitmap& soft, std::string* where = nullptr) {
  int count = 0;
  for (int y = 0; y < soft.Height(); ++y) {
    for (int x = 0; x < soft.Width(); ++x) {
      if (gdi.Pixel(x, y) == soft.Pixel(x, y)) continue;
      if (where && count < 8) where->append(" (" + std::to_string(x) + "," + std::to_string(y) + ")");
      ++count;
    }
  }
  return count;
}

template <typename Draw>
int DrawBoth(int width, int height, Draw draw, std::string* where = nullptr) {
  TGdiBitmap gdi;
  gdi.SetSize(width, height);
  TSoftwareBitmap soft(width, height);
  draw(static_cast<TCanvas&>(gdi));
  draw(static_cast<TCanvas&>(soft));
  return Differences(gdi, soft, where);
}

TEST(GdiCrossCheck, LinesInEveryDirectionMatchPixelForPixel) {
  // From the centre of a 41 × 41 bitmap to every point of a ring: all octants, all slopes
  // with halves (ties) and without, and the axes and diagonals.
  for (int dx = -20; dx <= 20; ++dx) {
    for (int dy = -20; dy <= 20; ++dy) {
      if (std::max(std::abs(dx), std::abs(dy)) < 7) continue;
      std::string where;
      const int differences = DrawBoth(41, 41, [&](TCanvas& c) {
        c.SetPenColor(0xFFFFFF);
        c.MoveTo(20, 20);
        c.LineTo(20 + dx, 20 + dy);
      }, &where);
      EXPECT_EQ(differences, 0) << "line to (" << dx << ", " << dy << "):" << where;
    }
  }
}

TEST(GdiCrossCheck, RectanglesAndQuadsMatch) {
  EXPECT_EQ(DrawBoth(30, 30, [](TCanvas& c) {
              c.SetPenColor(0x00FF00);
              c.SetBrushColor(0x0000FF);
              c.Rectangle(3, 4, 25, 20);
              c.SetPenColor(0x123456);
              c.SetBrushColor(0x123456);
              c.Rectangle(10, 10, 12, 28);
            }),
            0);
  // Convex quads as the surface plot draws them, outlined in the mesh colour.
  unsigned seed = 7;
  int differences = 0, pixels = 0;
  for (int i = 0; i < 200; ++i) {
    TScreenPoint quad[4];
    for (TScreenPoint& p : quad) {
      seed = seed * 1103515245u + 12345u;
      p.x = int((seed >> 16) % 40);
      seed = seed * 1103515245u + 12345u;
      p.y = int((seed >> 16) % 40);
    }
    differences += DrawBoth(40, 40, [&](TCanvas& c) {
      c.SetPenColor(0x808080);
      c.SetBrushColor(0x00C0FF);
      c.Polygon(quad);
    });
    pixels += 40 * 40;
  }
  std::printf("quads: %d of %d pixels differ\n", differences, pixels);
  EXPECT_EQ(differences, 0);
}

TEST(GdiCrossCheck, SampleGraphsRenderAlike) {
  std::ifstream file(SHOWCASE_TEXT, std::ios::binary);
  ASSERT_TRUE(file) << SHOWCASE_TEXT;
  TGraphSet set = BuildGraphSet(std::string(std::istreambuf_iterator<char>(file), {}));
  ASSERT_GT(set.Count(), 0);
  for (int i = 0; i < set.Count(); ++i) {
    THost<TGdiBitmap> gdiHost(300, 240);
    THost<TSoftwareBitmap> softHost(300, 240);
    TView gdiView(gdiHost), softView(softHost);
    for (TView* view : {&gdiView, &softView}) {
      view->ImageWidth = 300;
      view->ImageHeight = 240;
      view->ImageBorder = 4;
      view->SetGraph(&set.Doc(i));
      view->StepFrame(5, true);
    }
    const int differences = Differences(gdiHost.screen, softHost.screen);
    std::printf("%-20s %5d of %d pixels differ (%.2f%%)\n", set.Doc(i).Text(gtName).c_str(),
                differences, 300 * 240, 100.0 * differences / (300 * 240));
    EXPECT_EQ(differences, 0) << set.Doc(i).Text(gtName);
  }
}

}  // namespace

namespace {

// The graph view as a control of a shown form draws on the screen what the software view
// draws in memory.
TEST(GraphViewControl, DrawsOnItsFormWhatTheSoftwareViewDraws) {
  std::ifstream file(SHOWCASE_TEXT, std::ios::binary);
  ASSERT_TRUE(file) << SHOWCASE_TEXT;
  TGraphSet set = BuildGraphSet(std::string(std::istreambuf_iterator<char>(file), {}));
  for (int graph : {1, 4}) {  // a surface and a curve
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(40, 30, 300, 240);
    auto* control = new TGraphView(&form);  // owned by the form
    control->SetParent(&form);
    control->SetBounds(20, 10, 240, 200);
    TView& view = control->View();
    view.ImageWidth = 240;
    view.ImageHeight = 200;
    view.ImageBorder = 4;
    form.Show();
    UpdateWindow(form.Handle());
    control->SetGraph(&set.Doc(graph));
    control->StepFrame(3, true);

    THost<TSoftwareBitmap> softHost(240, 200);
    TView softView(softHost);
    softView.ImageWidth = 240;
    softView.ImageHeight = 200;
    softView.ImageBorder = 4;
    softView.SetGraph(&set.Doc(graph));
    softView.StepFrame(3, true);

    // What the form's client area shows at the control's place.
    TGdiBitmap screen;
    screen.SetSize(240, 200);
    {
      const TWindowDC dc(form.Handle());
      BitBlt(screen.Dc(), 0, 0, 240, 200, dc.Get(), 20, 10, SRCCOPY);
    }
    std::string where;
    EXPECT_EQ(Differences(screen, softHost.screen, &where), 0)
        << set.Doc(graph).Text(gtName) << ":" << where;

    // A repaint of the form shows the same again, from the snapshot.
    InvalidateRect(form.Handle(), nullptr, TRUE);
    UpdateWindow(form.Handle());
    {
      const TWindowDC dc(form.Handle());
      BitBlt(screen.Dc(), 0, 0, 240, 200, dc.Get(), 20, 10, SRCCOPY);
    }
    EXPECT_EQ(Differences(screen, softHost.screen), 0) << "after a repaint";
    control->SetGraph(nullptr);
  }
}

}  // namespace
