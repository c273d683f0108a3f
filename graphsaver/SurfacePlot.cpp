// The plot of a surface: samples on the u-v grid, projected, gathered into cells as they come,
// sorted far to near and filled with shaded colours, with a frame in the background colour.
#include <chrono>
#include <cmath>

#include "Projection.h"
#include "Rgb.h"
#include "View.h"

namespace {

// The most cells a frame may have.  A sampling step that is tiny against its range would ask
// for more memory and time than a screen saver frame can have; such a surface is drawn as an
// empty range is (background and frame only).
constexpr long double MaxCells = 1000000;

// The number of steps of `step` from `from` while below `to`, or -1 when the loop would not
// end (a step that is not positive, or not a number).
long double StepCount(long double from, long double to, long double step) {
  if (!(from < to)) return 0;
  if (!(step > 0)) return -1;
  return std::ceil((to - from) / step);
}

class TSurfaceBuilder {
public:
  TSurfaceBuilder(TGraphDoc& doc, const TProjection& projection, long double t,
                  const TVector3& light, TCellList& cells)
      : doc_(doc), projection_(projection), t_(t), light_(light), cells_(cells) {}

  // Samples the surface, calling dot(screen point) for every grid sample, and leaves the cells
  // in cells_ in the order the samples were visited.
  template <typename Dot>
  void Build(int64_t rows, int64_t columns, Dot&& dot) {
    TMeshCell* current = &cells_.NewCell();
    TMeshCell* left = nullptr;
    TMeshCell* above = current;
    TMeshCell* diagonal = nullptr;
    const long double uStep = doc_.UStep, vStep = doc_.VStep;
    int64_t row = 0;
    for (long double u = doc_.UMin; u < doc_.UMax && row < rows; u += uStep, ++row) {
      const bool firstRow = u == doc_.UMin;
      const bool lastRow = u + uStep >= doc_.UMax;
      int64_t column = 0;
      for (long double v = doc_.VMin; v < doc_.VMax && column < columns; v += vStep, ++column) {
        const bool firstColumn = v == doc_.VMin;
        const bool lastColumn = v + vStep >= doc_.VMax;
        current_ = current;
        const TCorner p = Sample(u, v);
        Store(*current, 0, p);
        dot(p.screen);
        if (!firstColumn) Store(*left, 3, p);
        if (!firstRow) Store(*above, 1, p);
        if (!firstRow && !firstColumn) Complete(*diagonal, p);
        if (lastColumn) {
          const TCorner next = Sample(u, v + vStep);
          Store(*current, 3, next);
          if (!firstRow) Complete(*above, next);
        }
        if (lastRow) {
          const TCorner next = Sample(u + uStep, v);
          Store(*current, 1, next);
          if (!firstColumn) Complete(*left, next);
        }
        if (lastRow && lastColumn) Complete(*current, Sample(u + uStep, v + vStep));
        TMeshCell* made = &cells_.NewCell();
        if (!firstRow) {
          diagonal = above;
          above = above->Next;
        }
        left = current;
        current = made;
      }
    }
    cells_.DropLast();  // the spare cell made after the last sample
  }

private:
  struct TCorner {
    TVector3 point;
    TScreenPoint screen;
  };

  // P(u, v); an evaluation error hides the cell being sampled.
  TCorner Sample(long double u, long double v) {
    const long double c3 = doc_.Func3.Evaluate(u, v, t_);
    const long double c2 = doc_.Func2.Evaluate(u, v, t_);
    const long double c1 = doc_.Func1.Evaluate(u, v, t_);
    if (doc_.Func1.EvalError() || doc_.Func2.EvalError() || doc_.Func3.EvalError()) {
      current_->Visible = false;
    }
    const TVector3 point = ToCartesian(double(c1), double(c2), double(c3), doc_.CoordSystem);
    return {point, Project(projection_, point)};
  }

  // A corner stored into a cell hides it when the cell being sampled is hidden, so a cell
  // with an erroneous corner is never filled.
  void Store(TMeshCell& cell, int corner, const TCorner& p) {
    cell.Corners[corner] = p.point;
    cell.Screen[corner] = p.screen;
    if (!current_->Visible) cell.Visible = false;
  }

  // Corner 2 is the last one a cell receives.
  void Complete(TMeshCell& cell, const TCorner& p) {
    Store(cell, 2, p);
    UpdateCell(cell, projection_.eye, light_, projection_.viewDirection);
  }

  TGraphDoc& doc_;
  const TProjection& projection_;
  long double t_;
  TVector3 light_;
  TCellList& cells_;
  TMeshCell* current_ = nullptr;
};

// Adds the time since the last call to one of the profile's sums.
class TStopwatch {
public:
  explicit TStopwatch(TRenderProfile* profile) : profile_(profile) {}
  void Lap(double TRenderProfile::*phase) {
    if (!profile_) return;
    const auto now = std::chrono::steady_clock::now();
    profile_->*phase += std::chrono::duration<double>(now - last_).count();
    last_ = now;
  }

private:
  TRenderProfile* profile_;
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

}  // namespace

void TView::PlotSurface(double t, bool toBitmap) {
  if (!CompileFunctions(3)) return;
  TGraphDoc& doc = *graph_;
  const int width = ImageWidth, height = ImageHeight;
  TCanvas* target = &host_.ControlCanvas();
  int x0 = ImageX, y0 = ImageY;
  if (toBitmap) {
    workImage_->SetSize(width, height);
    target = workImage_.get();
    x0 = y0 = 0;
  }
  target->SetPenColor(doc.BackColor);
  target->SetBrushColor(doc.BackColor);
  target->Rectangle(x0, y0, x0 + width, y0 + height);
  CentreX = width / 2 + x0;
  CentreY = height / 2 + y0;

  const TRgb a = SplitColor(doc.FillColor1);
  const TRgb c = SplitColor(doc.Shaded ? doc.FillColor2 : doc.FillColor1);
  target->SetPenColor(doc.MeshColor);

  const long double rows = StepCount(doc.UMin, doc.UMax, doc.UStep);
  const long double columns = StepCount(doc.VMin, doc.VMax, doc.VStep);
  if (rows > 0 && columns > 0 && rows * columns <= MaxCells) {
    TStopwatch stopwatch(Profile);
    const TProjection projection = MakeProjection(*this, width);
    const bool dots = !toBitmap || !doc.FillCells;
    TSurfaceBuilder builder(doc, projection, t, doc.Light, cells_);
    // Rows and columns get one step of slack: the loops themselves decide, the counts only
    // keep a step that no longer moves its sum from running for ever.
    builder.Build(int64_t(rows) + 1, int64_t(columns) + 1, [&](const TScreenPoint& p) {
      if (!dots) return;
      target->MoveTo(p.x, p.y);
      target->LineTo(p.x + 1, p.y);
    });
    stopwatch.Lap(&TRenderProfile::sampling);
    if (doc.FillCells) {
      cells_.SortByDepth();
      stopwatch.Lap(&TRenderProfile::sorting);
      for (const TMeshCell* cell = cells_.Head(); cell; cell = cell->Next) {
        if (!cell->Visible) continue;
        const TRgb shaded = ScaleColor(ScaleColor(SubColor(c, a), cell->Shade), cell->Shade);
        const TColor color = JoinColor(AddColor(a, shaded));
        target->SetBrushColor(color);
        if (!doc.ShowMesh) target->SetPenColor(color);
        target->Polygon(cell->Screen);
      }
      stopwatch.Lap(&TRenderProfile::filling);
    }
    FreeCells(cells_);
    if (Profile) ++Profile->frames;
  }

  // A frame in the background colour on the inside edge of the image: when the saver moves
  // the image by at most this many pixels a tick, it wipes the trail of the last position.
  target->SetPenColor(doc.BackColor);
  for (int i = 0; i < ImageBorder; ++i) {
    target->MoveTo(x0 + i, y0 + i);
    target->LineTo(x0 + width - 1 - i, y0 + i);
    target->LineTo(x0 + width - 1 - i, y0 + height - 1 - i);
    target->LineTo(x0 + i, y0 + height - 1 - i);
    target->LineTo(x0 + i, y0 + i);
  }
  if (toBitmap) host_.ControlCanvas().CopyRect(ImageX, ImageY, width, height, *workImage_, 0, 0);
}
