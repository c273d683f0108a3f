#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the editor's picture controls show for a file, as 32-bit pixels (0x..RRGGBB, rows
// top-down), with the lines the picture tool prints about it.
struct TRenderedPicture {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;
  std::vector<std::string> Report;   // "format ...", "size W x H", "decoded ..."
};

// Renders `fileName` at its own size, or stretched to width × height when both are positive,
// choosing the control as the editor does: GIF files (extension in any case) through the GIF
// control, its first composed frame; everything else through the ordinary picture control.
// Throws std::runtime_error with the control's message when the file does not load.
TRenderedPicture PictureRender(const std::string& fileName, int width, int height);

// The platform's formats (bitmap, icon, metafiles) through the ordinary picture control;
// the Windows build draws them, the native build refuses them.  Same contract.
TRenderedPicture PictureRenderPlatform(const std::string& fileName, int width, int height);
