// slidemaker_art FOLDER: writes the editor's pictures into FOLDER for its resources:
// glyph-STEM.bmp for every button glyph, logo.gif and about.bmp, and the glyphs and about
// picture again at each larger scale (glyph-STEM-150.bmp, about-150.bmp, ...).
#include <cstdio>
#include <exception>
#include <string>

#include "Art.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: slidemaker_art FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  try {
    for (int percent : ArtScales) {
      std::string suffix;
      if (percent != 100) suffix.append("-").append(std::to_string(percent));
      const double scale = percent / 100.0;
      for (const TArtGlyph& glyph : ArtGlyphs())
        glyph.Draw(scale).WriteBmp(folder + "glyph-" + glyph.Stem + suffix + ".bmp");
      ArtAboutPicture(scale).WriteBmp(folder + "about" + suffix + ".bmp");
    }
    const std::vector<std::uint8_t> logo = ArtLogoGif();
    std::FILE* file = std::fopen((folder + "logo.gif").c_str(), "wb");
    if (!file || std::fwrite(logo.data(), 1, logo.size(), file) != logo.size() || std::fclose(file) != 0) {
      std::fprintf(stderr, "slidemaker_art: cannot write %slogo.gif\n", folder.c_str());
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "slidemaker_art: %s\n", e.what());
    return 1;
  }
  return 0;
}
