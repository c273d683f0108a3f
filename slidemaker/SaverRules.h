#pragma once

// The rules of the slideshow preview that do not need a window: which control shows a
// picture, where the pictures and the logo go, which picture comes next, the timer's
// interval, and when a mouse movement closes the preview.

#include <cstdint>
#include <string>

// Whether the GIF control shows the file: its extension, from the last "." on, is ".GIF" in
// any letter case.  Every other file goes to the ordinary picture control.
bool SaverIsGifName(const std::string& fileName);

struct TSaverPoint {
  int Left = 0, Top = 0;
};

// The place of a w × h control on a W × H window: centred, raised by `raise` pixels (40 when
// a picture is shown, 0 after a resize).  Each half is truncated on its own.
TSaverPoint SaverPicturePlace(int windowWidth, int windowHeight, int width, int height, int raise);
// The logo's place: centred across, its middle 40 pixels above the window's lower edge.
TSaverPoint SaverLogoPlace(int windowWidth, int windowHeight, int width, int height);

// The index after `index` in a list of `count` entries, back to 0 after the last.
int SaverNextIndex(int index, int count);

// The picture timer's interval for an interval field's value in seconds: value × 1000
// milliseconds taken modulo 2^32, so a negative value becomes a very long wait and 0 none
// at all (the timer then never fires).
std::uint32_t SaverTimerInterval(std::int32_t seconds);

// The movement rule.  The first movement message only records where the pointer is; one for
// the same place forgets it again (so the next is recorded afresh); any other closes.
// (0, 0) stands for "nothing recorded", as the window keeps it.
class TSaverPointer {
public:
  void Forget() { x_ = y_ = 0; }
  // True when this movement closes the preview.
  bool Moved(int x, int y);

private:
  int x_ = 0, y_ = 0;
};
