#include "Art.h"

#include <cmath>

namespace {

TArtCanvas Glyph() { return TArtCanvas(ArtGlyphSize, ArtGlyphSize, ArtGlyphBackground); }

TArtCanvas Add() {
  TArtCanvas canvas = Glyph();
  TArtMask plus(ArtGlyphSize, ArtGlyphSize);
  plus.AddRect(6, 2, 10, 14);
  plus.AddRect(2, 6, 14, 10);
  canvas.DrawShape(plus, ArtRgb(40, 170, 40), ArtRgb(0, 90, 0));
  return canvas;
}

TArtCanvas Delete() {
  TArtCanvas canvas = Glyph();
  TArtMask cross(ArtGlyphSize, ArtGlyphSize);
  cross.AddPolygon({{2, 4}, {4, 2}, {14, 12}, {12, 14}});
  cross.AddPolygon({{12, 2}, {14, 4}, {4, 14}, {2, 12}});
  canvas.DrawShape(cross, ArtRgb(220, 40, 30), ArtRgb(120, 0, 0));
  return canvas;
}

std::vector<TArtPoint> UpArrow() {
  return {{8, 1}, {15, 8}, {11, 8}, {11, 15}, {5, 15}, {5, 8}, {1, 8}};
}

TArtCanvas Up() {
  TArtCanvas canvas = Glyph();
  TArtMask arrow(ArtGlyphSize, ArtGlyphSize);
  arrow.AddPolygon(UpArrow());
  canvas.DrawShape(arrow, ArtRgb(60, 110, 220), ArtRgb(0, 0, 110));
  return canvas;
}

TArtCanvas Down() {
  std::vector<TArtPoint> points = UpArrow();
  for (TArtPoint& p : points) p.Y = 16 - p.Y;
  TArtCanvas canvas = Glyph();
  TArtMask arrow(ArtGlyphSize, ArtGlyphSize);
  arrow.AddPolygon(points);
  canvas.DrawShape(arrow, ArtRgb(60, 110, 220), ArtRgb(0, 0, 110));
  return canvas;
}

// A monitor with a play mark on its screen.
TArtCanvas Preview() {
  TArtCanvas canvas = Glyph();
  TArtMask monitor(ArtGlyphSize, ArtGlyphSize);
  monitor.AddRect(1, 2, 15, 12);
  monitor.AddRect(6, 12, 10, 14);
  monitor.AddRect(3, 14, 13, 16);
  canvas.DrawShape(monitor, ArtRgb(150, 150, 150), ArtRgb(50, 50, 50));
  canvas.FillRect(3, 4, 13, 10, ArtRgb(20, 40, 120));
  TArtMask play(ArtGlyphSize, ArtGlyphSize);
  play.AddPolygon({{6, 4.5}, {6, 9.5}, {11, 7}});
  canvas.DrawShape(play, ArtRgb(255, 255, 255), ArtRgb(255, 255, 255));
  return canvas;
}

// A five-pointed star: something new is made.
TArtCanvas Build() {
  TArtCanvas canvas = Glyph();
  std::vector<TArtPoint> star;
  for (int i = 0; i < 10; ++i) {
    const double radius = i % 2 ? 3.2 : 7.6;
    const double angle = -1.5707963 + i * 0.6283185;
    star.push_back({8 + radius * std::cos(angle), 8.6 + radius * std::sin(angle)});
  }
  TArtMask mask(ArtGlyphSize, ArtGlyphSize);
  mask.AddPolygon(star);
  canvas.DrawShape(mask, ArtRgb(250, 210, 40), ArtRgb(170, 90, 0));
  return canvas;
}

// An open door with an arrow leaving through it.
TArtCanvas Exit() {
  TArtCanvas canvas = Glyph();
  TArtMask frame(ArtGlyphSize, ArtGlyphSize);
  frame.AddRect(1, 1, 10, 16);
  canvas.DrawShape(frame, ArtRgb(40, 40, 40), ArtRgb(90, 60, 30));
  TArtMask door(ArtGlyphSize, ArtGlyphSize);
  door.AddPolygon({{2, 2}, {7, 4}, {7, 16}, {2, 15}});
  canvas.DrawShape(door, ArtRgb(190, 130, 70), ArtRgb(110, 70, 30));
  canvas.Set(6, 10, ArtRgb(250, 220, 90));
  TArtMask arrow(ArtGlyphSize, ArtGlyphSize);
  arrow.AddPolygon({{8, 7}, {12, 7}, {12, 4.5}, {15.5, 8.5}, {12, 12.5}, {12, 10}, {8, 10}});
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
