// The slideshow saver's settings dialog held against its layout table (LayoutWalk.h).
#include <windows.h>

#include "Application.h"
#include "LayoutWalk.h"
#include "SlideshowForms.h"

int main(int argc, char** argv) {
  Application().Initialize();
  return LayoutWalkMain(argc, argv, "slideshow",
                        {{"ConfigForm", [] { return new TConfigForm(&Application()); }, {}}});
}
