#include "Art.h"

#include <cmath>

namespace {

// A landscape photograph of w × h with a white border, drawn at (0, 0) and then turned.
struct TPhoto {
  double Left, Top, Width, Height, Degrees;
  TArtColor SkyTop, SkyBottom, Hills, Sun;
};

std::vector<TArtPoint> Turned(const TPhoto& p, std::vector<TArtPoint> points) {
  for (TArtPoint& point : points) point = {point.X + p.Left, point.Y + p.Top};
  return ArtRotate(std::move(points), p.Left + p.Width / 2, p.Top + p.Height / 2, p.Degrees);
}

// `f` scales the photograph's own sizes (its place and size come scaled in `p`).
void DrawPhoto(TArtCanvas& canvas, const TPhoto& p, double f) {
  const double w = p.Width, h = p.Height, border = 5 * f;
  canvas.FillPolygon(Turned(p, {{-f, -f}, {w + 3 * f, f}, {w + 3 * f, h + 3 * f}, {f, h + 3 * f}}), ArtRgb(25, 25, 25));  // shadow
  canvas.FillPolygon(Turned(p, {{0, 0}, {w, 0}, {w, h}, {0, h}}), ArtRgb(245, 245, 240));
  const double inner = w - 2 * border, skyHeight = (h - 2 * border) * 0.7;
  for (int band = 0; band < 8; ++band) {  // the sky in bands, lighter towards the horizon
    const double top = border + skyHeight * band / 8, bottom = border + skyHeight * (band + 1) / 8 + 0.5;
    canvas.FillPolygon(Turned(p, {{border, top}, {border + inner, top}, {border + inner, bottom}, {border, bottom}}),
                       ArtMix(p.SkyTop, p.SkyBottom, band / 7.0));
  }
  const std::vector<TArtPoint> sun = Turned(p, {{border + inner * 0.72, border + skyHeight * 0.35}});
  canvas.FillCircle(sun[0].X, sun[0].Y, h * 0.09, p.Sun);
  canvas.FillPolygon(Turned(p, {{border, border + skyHeight * 0.8}, {border + inner * 0.3, border + skyHeight * 0.45},
                               {border + inner * 0.55, border + skyHeight * 0.75}, {border + inner * 0.8, border + skyHeight * 0.5},
                               {border + inner, border + skyHeight * 0.7}, {border + inner, h - border}, {border, h - border}}),
                     p.Hills);
}

}  // namespace

TArtCanvas ArtAboutPicture(double scale) {
  const double f = scale;
  TArtCanvas canvas(static_cast<int>(std::lround(200 * f)), static_cast<int>(std::lround(172 * f)),
                    ArtRgb(0, 0, 0));
  DrawPhoto(canvas, {18 * f, 14 * f, 112 * f, 82 * f, -9, ArtRgb(20, 30, 90), ArtRgb(230, 120, 60), ArtRgb(40, 30, 50), ArtRgb(255, 220, 120)}, f);
  DrawPhoto(canvas, {72 * f, 34 * f, 112 * f, 82 * f, 7, ArtRgb(40, 110, 210), ArtRgb(170, 220, 250), ArtRgb(60, 140, 60), ArtRgb(255, 250, 200)}, f);
  DrawPhoto(canvas, {38 * f, 78 * f, 118 * f, 86 * f, -2, ArtRgb(90, 60, 150), ArtRgb(250, 170, 120), ArtRgb(30, 80, 90), ArtRgb(255, 240, 160)}, f);
  return canvas;
}
