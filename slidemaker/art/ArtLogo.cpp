#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "Art.h"
#include "GIFWriter.h"

namespace {

// The name in a 5 × 7 block font, one string per row, "#" for a block.
struct TLetter {
  const char* Rows[7];
};
const TLetter Name[] = {
    {{"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},  // L
    {{"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},  // U
    {{"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},  // M
    {{"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},  // I
    {{"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},  // V
    {{".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},  // O
    {{"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},  // X
};

constexpr int Cell = 6;         // a block of 5 pixels and a gap of 1
constexpr int LetterGap = Cell;  // between letters
constexpr int NameTop = 6;
constexpr int StripTop = 56, StripHeight = 20, Slot = 18;
// Where the slanted band of light crosses the name, in pixels from the name's left edge.
constexpr double Light = 70;

TArtCanvas DrawLogo() {
  TArtCanvas canvas(ArtLogoWidth, ArtLogoHeight, ArtRgb(0, 0, 0));
  const int nameWidth = 7 * 5 * Cell + 6 * LetterGap - 1;
  const int left = (ArtLogoWidth - nameWidth) / 2;
  const double light = Light;
  for (int letter = 0; letter < 7; ++letter)
    for (int row = 0; row < 7; ++row)
      for (int column = 0; column < 5; ++column) {
        if (Name[letter].Rows[row][column] != '#') continue;
        const int x = left + letter * (5 * Cell + LetterGap) + column * Cell;
        const int y = NameTop + row * Cell;
        // Gold at the top to deep orange at the bottom, lit by the passing band.
        TArtColor color = ArtMix(ArtRgb(255, 215, 80), ArtRgb(230, 90, 20), row / 6.0);
        const double distance = std::abs(x - left - light + row * 3.0);
        if (distance < 24) color = ArtMix(color, ArtRgb(255, 255, 255), std::round((1 - distance / 24) * 3) / 3 * 0.8);
        canvas.FillRect(x, y, x + Cell - 1, y + Cell - 1, color);
      }

  // A film strip of small coloured pictures.
  canvas.FillRect(0, StripTop, ArtLogoWidth, StripTop + StripHeight, ArtRgb(55, 55, 60));
  for (int slot = -1; slot * Slot < ArtLogoWidth + Slot; ++slot) {
    const int x = slot * Slot;
    canvas.FillRect(x + 6, StripTop + 2, x + 10, StripTop + 4, ArtRgb(0, 0, 0));
    canvas.FillRect(x + 6, StripTop + 16, x + 10, StripTop + 18, ArtRgb(0, 0, 0));
    const int hue = (slot % 6 + 6) % 6;
    const TArtColor colors[6] = {ArtRgb(200, 60, 50),  ArtRgb(230, 160, 40), ArtRgb(90, 170, 60),
                                 ArtRgb(50, 140, 200), ArtRgb(110, 80, 190), ArtRgb(200, 80, 150)};
    canvas.FillRect(x + 2, StripTop + 6, x + 16, StripTop + 14, colors[hue]);
  }
  return canvas;
}

}  // namespace

std::vector<std::uint8_t> ArtLogoGif() {
  TGIFFileSpec file;
  file.Width = ArtLogoWidth;
  file.Height = ArtLogoHeight;
  const TArtCanvas canvas = DrawLogo();
  TGIFFrameSpec frame;
  frame.Width = ArtLogoWidth;
  frame.Height = ArtLogoHeight;
  std::map<TArtColor, std::uint8_t> palette;
  for (int y = 0; y < ArtLogoHeight; ++y)
    for (int x = 0; x < ArtLogoWidth; ++x) {
      const TArtColor color = canvas.At(x, y);
      auto [entry, added] = palette.emplace(color, static_cast<std::uint8_t>(palette.size()));
      if (added) {
        if (palette.size() > 256) throw std::runtime_error("the logo needs more than 256 colours");
        file.GlobalTable.push_back(color);
      }
      frame.Pixels.push_back(entry->second);
    }
  file.Frames.push_back(std::move(frame));
  return GIFWrite(file);
}
