#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "GdiObject.h"

// A picture from a file or a resource, drawn into a rectangle.
class TPicture {
public:
  TPicture();
  ~TPicture();
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // Loads the file, choosing the format by its extension in any case.  Throws
  // std::runtime_error with "Unknown picture file extension (.%s)" or "Cannot open file %s".
  void LoadFromFile(const std::string& fileName);
  // Loads a BITMAP resource of `module`.
  void LoadFromResource(HINSTANCE module, const char* name);
  void Clear();

  bool Empty() const;
  // The natural size, pixels.
  int Width() const;
  int Height() const;

  // Draws the picture stretched into `target`.
  void Draw(HDC dc, const RECT& target) const;

  // The size the picture will be shown at (0, 0: its own), a hint for the next load.
  void SetDisplaySize(int width, int height);

  // After each load or clear.
  std::function<void()> OnChange;

private:
  void Changed();
  TGdiObject<HBITMAP> bitmap_;
  int width_ = 0, height_ = 0;
  int displayWidth_ = 0, displayHeight_ = 0;
};
