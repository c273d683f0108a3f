#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "DeviceContext.h"
#include "DibInfo.h"
#include "GdiObject.h"
#include "Picture.h"
#include "PictureRender.h"

namespace {

const char* FormatName(TPictureFormat format) {
  switch (format) {
    case pfBitmap: return "bitmap";
    case pfIcon: return "icon";
    case pfEnhMetafile: return "enhanced metafile";
    case pfMetafile: return "Windows metafile";
    default: return "picture";
  }
}

}  // namespace

// The ordinary picture control's own drawing, into a white 32-bit bitmap (what shows through
// an icon's transparent pixels).
TRenderedPicture PictureRenderPlatform(const std::string& fileName, int width, int height) {
  TPicture picture;
  picture.LoadFromFile(fileName);
  TRenderedPicture rendered;
  const bool stretched = width > 0 && height > 0;
  rendered.Width = stretched ? width : picture.Width();
  rendered.Height = stretched ? height : picture.Height();
  rendered.Report = {std::string("format ") + FormatName(picture.Format()),
                     "size " + std::to_string(picture.Width()) + " x " + std::to_string(picture.Height()),
                     "decoded at full size"};
  const BITMAPINFO info = ToolkitDibInfo(rendered.Width, -rendered.Height);
  void* bits = nullptr;
  TGdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) throw std::runtime_error("cannot make a bitmap of " + std::to_string(rendered.Width) +
                                        " x " + std::to_string(rendered.Height) + " pixels");
  const size_t count = size_t(rendered.Width) * size_t(rendered.Height);
  std::fill_n(static_cast<uint32_t*>(bits), count, 0xFFFFFFu);
  {
    TMemoryDC dc(nullptr);
    TSelection selection(dc.Get(), bitmap.Get());
    picture.Draw(dc.Get(), RECT{0, 0, rendered.Width, rendered.Height});
    GdiFlush();
  }
  rendered.Pixels.assign(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + count);
  return rendered;
}
