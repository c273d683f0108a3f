#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "PictureFormat.h"

// The picture an ordinary picture control shows: a JPEG file, a bitmap, an icon or a
// metafile, chosen by the file's extension (PictureFormat.h), held in memory and drawn
// stretched into any rectangle.  JPEG files and bitmaps become 32-bit pixels and are
// stretched by PictureStretch; icons keep their mask; metafiles are played into the
// rectangle.  Window thread only.
class TPicture {
public:
  TPicture();
  ~TPicture();
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // Loads a file, read whole through FileAccess.h: "jpg" and "jpeg" through the JPEG reader,
  // "bmp", "ico", "emf" and "wmf" (placeable or not) through the platform's loaders fed with
  // the file's bytes (PictureLoaders.h, which the slideshow saver uses too); the extension in
  // any case.  Throws std::runtime_error, and then keeps the picture it had:
  //   "Unknown picture file extension (.xyz)" for any other extension (checked first),
  //   "Cannot open file NAME" when the file cannot be read,
  //   the JPEG reader's message for a damaged JPEG file (JPEGReader.h),
  //   "Cannot read bitmap file NAME", "Cannot read icon file NAME",
  //   "Cannot read metafile NAME" when the platform refuses the file.
  void LoadFromFile(const std::string& fileName);
  // Loads a BITMAP resource of `module`; `name` may be MAKEINTRESOURCE(id).  Throws
  // "Cannot load bitmap resource NAME" (or "#id").
  void LoadFromResource(HINSTANCE module, const char* name);
  void Clear();

  bool Empty() const;
  // The picture's own size in pixels (a metafile's frame at its reference device's, or for a
  // placeable metafile the screen's, resolution); 0 × 0 while empty.
  int Width() const;
  int Height() const;
  // The format of the loaded file; pfUnknown while empty or after LoadFromResource.
  TPictureFormat Format() const;
  // For a JPEG file: 1, or the 2, 4 or 8 it was decoded smaller by (SetDisplaySize).
  int ScaleDenominator() const;

  // Draws the picture stretched into `target` (device units of `dc`) without keeping its
  // aspect ratio.  An icon's transparent pixels leave the device as it was; JPEG files and
  // bitmaps cover the rectangle.  Nothing while empty or when `target` is empty.
  void Draw(HDC dc, const RECT& target) const;

  // The size the next LoadFromFile will be shown at (0, 0 = its own size): a JPEG file at
  // least twice that size is decoded at 1/2, 1/4 or 1/8 of its size and stretched from there.
  // Width and Height still give the file's own size.
  void SetDisplaySize(int width, int height);

  // After each load and each Clear.
  std::function<void()> OnChange;

  // What a picture is made of; one kind per file format, private to Picture.cpp.
  class TContent;

private:
  void Changed();

  std::unique_ptr<TContent> content_;
  int displayWidth_ = 0;
  int displayHeight_ = 0;
};
