// slidemaker_art FOLDER: writes the editor's pictures into FOLDER for its resources:
// glyph-STEM.bmp for every button glyph, logo.gif and about.bmp.
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
    for (const TArtGlyph& glyph : ArtGlyphs()) glyph.Draw().WriteBmp(folder + "glyph-" + glyph.Stem + ".bmp");
    ArtAboutPicture().WriteBmp(folder + "about.bmp");
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
