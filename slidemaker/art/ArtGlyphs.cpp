#include "Art.h"

#include <cmath>

namespace {

// The glyphs are designed on a 16-pixel grid; `f` is the scale they are drawn at (1, 1.5, 2).
// Shapes scale as polygons, so each pixel whose centre lies inside is covered at every scale;
// outlines stay one pixel wide.
int Size(double f) { return static_cast<int>(std::lround(ArtGlyphSize * f)); }

TArtCanvas Glyph(double f) { return TArtCanvas(Size(f), Size(f), ArtGlyphBackground); }
TArtMask Mask(double f) { return TArtMask(Size(f), Size(f)); }

std::vector<TArtPoint> Scaled(std::vector<TArtPoint> points, double f) {
  for (TArtPoint& p : points) p = {p.X * f, p.Y * f};
  return points;
}

void AddBox(TArtMask& mask, double left, double top, double right, double bottom, double f) {
  mask.AddPolygon(Scaled({{left, top}, {right, top}, {right, bottom}, {left, bottom}}, f));
}

int Round(double value) { return static_cast<int>(std::lround(value)); }

TArtCanvas Add(double f) {
  TArtCanvas canvas = Glyph(f);
  TArtMask plus = Mask(f);
  AddBox(plus, 6, 2, 10, 14, f);
  AddBox(plus, 2, 6, 14, 10, f);
  canvas.DrawShape(plus, ArtRgb(40, 170, 40), ArtRgb(0, 90, 0));
  return canvas;
}

TArtCanvas Delete(double f) {
  TArtCanvas canvas = Glyph(f);
  TArtMask cross = Mask(f);
  cross.AddPolygon(Scaled({{2, 4}, {4, 2}, {14, 12}, {12, 14}}, f));
  cross.AddPolygon(Scaled({{12, 2}, {14, 4}, {4, 14}, {2, 12}}, f));
  canvas.DrawShape(cross, ArtRgb(220, 40, 30), ArtRgb(120, 0, 0));
  return canvas;
}

std::vector<TArtPoint> UpArrow() {
  return {{8, 1}, {15, 8}, {11, 8}, {11, 15}, {5, 15}, {5, 8}, {1, 8}};
}

TArtCanvas Up(double f) {
  TArtCanvas canvas = Glyph(f);
  TArtMask arrow = Mask(f);
  arrow.AddPolygon(Scaled(UpArrow(), f));
  canvas.DrawShape(arrow, ArtRgb(60, 110, 220), ArtRgb(0, 0, 110));
  return canvas;
}

TArtCanvas Down(double f) {
  std::vector<TArtPoint> points = UpArrow();
  for (TArtPoint& p : points) p.Y = 16 - p.Y;
  TArtCanvas canvas = Glyph(f);
  TArtMask arrow = Mask(f);
  arrow.AddPolygon(Scaled(points, f));
  canvas.DrawShape(arrow, ArtRgb(60, 110, 220), ArtRgb(0, 0, 110));
  return canvas;
}

// A monitor with a play mark on its screen.
TArtCanvas Preview(double f) {
  TArtCanvas canvas = Glyph(f);
  TArtMask monitor = Mask(f);
  AddBox(monitor, 1, 2, 15, 12, f);
  AddBox(monitor, 6, 12, 10, 14, f);
  AddBox(monitor, 3, 14, 13, 16, f);
  canvas.DrawShape(monitor, ArtRgb(150, 150, 150), ArtRgb(50, 50, 50));
  canvas.FillRect(Round(3 * f), Round(4 * f), Round(13 * f), Round(10 * f), ArtRgb(20, 40, 120));
  TArtMask play = Mask(f);
  play.AddPolygon(Scaled({{6, 4.5}, {6, 9.5}, {11, 7}}, f));
  canvas.DrawShape(play, ArtRgb(255, 255, 255), ArtRgb(255, 255, 255));
  return canvas;
}

// A five-pointed star: something new is made.
TArtCanvas Build(double f) {
  TArtCanvas canvas = Glyph(f);
  std::vector<TArtPoint> star;
  for (int i = 0; i < 10; ++i) {
    const double radius = i % 2 ? 3.2 : 7.6;
    const double angle = -1.5707963 + i * 0.6283185;
    star.push_back({8 + radius * std::cos(angle), 8.6 + radius * std::sin(angle)});
  }
  TArtMask mask = Mask(f);
  mask.AddPolygon(Scaled(star, f));
  canvas.DrawShape(mask, ArtRgb(250, 210, 40), ArtRgb(170, 90, 0));
  return canvas;
}

// An open door with an arrow leaving through it.
TArtCanvas Exit(double f) {
  TArtCanvas canvas = Glyph(f);
  TArtMask frame = Mask(f);
  AddBox(frame, 1, 1, 10, 16, f);
  canvas.DrawShape(frame, ArtRgb(40, 40, 40), ArtRgb(90, 60, 30));
  TArtMask door = Mask(f);
  door.AddPolygon(Scaled({{2, 2}, {7, 4}, {7, 16}, {2, 15}}, f));
  canvas.DrawShape(door, ArtRgb(190, 130, 70), ArtRgb(110, 70, 30));
  canvas.FillRect(Round(6 * f), Round(10 * f), Round(7 * f), Round(11 * f), ArtRgb(250, 220, 90));
  TArtMask arrow = Mask(f);
  arrow.AddPolygon(Scaled({{8, 7}, {12, 7}, {12, 4.5}, {15.5, 8.5}, {12, 12.5}, {12, 10}, {8, 10}}, f));
  canvas.DrawShape(arrow, ArtRgb(40, 170, 40), ArtRgb(0, 90, 0));
  return canvas;
}

}  // namespace

const std::vector<TArtGlyph>& ArtGlyphs() {
  static const std::vector<TArtGlyph> glyphs = {
      {"add", Add},         {"delete", Delete}, {"up", Up},     {"down", Down},
      {"preview", Preview}, {"build", Build},   {"exit", Exit},
  };
  return glyphs;
}
