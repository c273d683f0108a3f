#include <stdexcept>

#include "PictureFormat.h"
#include "PictureRender.h"

// Bitmaps, icons and metafiles are read by the platform's own loaders, which only Windows has.
TRenderedPicture PictureRenderPlatform(const std::string& fileName, int, int) {
  throw std::runtime_error(fileName + ": ." + PictureExtension(fileName) +
                           " pictures are read by the Windows build of this tool only");
}
