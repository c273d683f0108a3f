// The plot of a plane curve: grid, axes, derivative and curve over the whole control.
#include <cmath>

#include "View.h"

namespace {

// Bounds on loops that the document's numbers drive: a grid step or sampling step that is
// tiny, zero, negative or not a number would otherwise never end.
constexpr int MaxGridLines = 20000;
constexpr int64_t MaxCurveSamples = 1000000;

struct TPlane {
  long double xMin, xMax, yMin, yMax;
  int width, height;

  TScreenPoint Map(long double x, long double y) const {
    return ToScreenPoint((x - xMin) / (xMax - xMin) * width,
                         (1 - (y - yMin) / (yMax - yMin)) * height);
  }
};

void DrawGrid(TCanvas& canvas, const TPlane& plane, long double step, bool horizontal) {
  if (!(step > 0)) return;
  long double e = horizontal ? plane.yMin : plane.xMin;
  const long double end = horizontal ? plane.yMax : plane.xMax;
  for (int lines = 0; lines < MaxGridLines; ++lines, e += step) {
    // A value can repeat: lines near 0 are drawn twice when the window starts at a negative
    // non-multiple of the step.
    const long double at = std::trunc(e / step) * step;
    if (at > end) break;
    if (horizontal) {
      const int y = plane.Map(0, at).y;
      canvas.MoveTo(0, y);
      canvas.LineTo(plane.width, y);
    } else {
      const int x = plane.Map(at, 0).x;
      canvas.MoveTo(x, 0);
      canvas.LineTo(x, plane.height);
    }
  }
}

}  // namespace

void TView::PlotPlane(double t) {
  if (!CompileFunctions(2)) return;
  TGraphDoc& doc = *graph_;
  TCanvas& control = host_.ControlCanvas();
  const int width = control.Width(), height = control.Height();
  TBitmap& image = *workImage_;
  image.SetSize(width, height);
  image.SetPenColor(doc.BackColor);
  image.SetBrushColor(doc.BackColor);
  image.Rectangle(0, 0, width, height);

  if (doc.EqualScale) {
    const long double c = (WindowYMax + WindowYMin) * 0.5L;
    const long double h = (WindowXMax - WindowXMin) / width * height * 0.5L;
    WindowYMin = c - h;
    WindowYMax = c + h;
  }
  const TPlane plane{WindowXMin, WindowXMax, WindowYMin, WindowYMax, width, height};

  if (doc.ShowGrid) {
    image.SetPenColor(doc.GridColor);
    DrawGrid(image, plane, doc.YGrid, true);
    DrawGrid(image, plane, doc.XGrid, false);
  }
  if (doc.ShowAxes) {
    image.SetPenColor(doc.AxesColor);
    const TScreenPoint origin = plane.Map(0, 0);
    image.MoveTo(0, origin.y);
    image.LineTo(width, origin.y);
    image.MoveTo(origin.x, 0);
    image.LineTo(origin.x, height);
  }

  const bool polar = doc.CoordSystem == csCylindrical;
  const auto trace = [&](bool derivative) {
    const long double step = doc.UStep;
    if (!(step > 0)) return;
    bool joined = false;  // whether the pen stands on the previous sample
    int64_t samples = 0;
    for (long double s = doc.UMin; s < doc.UMax + step && samples < MaxCurveSamples;
         s += step, ++samples) {
      const long double a = doc.Func1.Evaluate(s, 0, t);
      bool failed = doc.Func1.EvalError();
      long double b;
      if (derivative) {
        // A forward difference with the sampling step; a failure of either end leaves the
        // sample out.
        const long double ahead = doc.Func2.Evaluate(s + step, 0, t);
        failed = failed || doc.Func2.EvalError();
        b = (ahead - doc.Func2.Evaluate(s, 0, t)) / step;
      } else {
        b = doc.Func2.Evaluate(s, 0, t);
      }
      failed = failed || doc.Func2.EvalError();
      if (failed) {
        joined = false;
        continue;
      }
      const TScreenPoint p = polar ? plane.Map(b * std::cos(a), b * std::sin(a)) : plane.Map(a, b);
      if (joined) {
        image.LineTo(p.x, p.y);
      } else {
        image.MoveTo(p.x, p.y);
        joined = true;
      }
    }
  };
  if (doc.ShowDerivative) {
    image.SetPenColor(doc.DerivativeColor);
    trace(true);
  }
  if (doc.ShowCurve) {
    image.SetPenColor(doc.CurveColor);
    trace(false);
  }
  control.CopyRect(0, 0, width, height, image, 0, 0);
}
