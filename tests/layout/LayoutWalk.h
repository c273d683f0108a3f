#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TForm;

// Holds windows of a program against their layout tables at the DPI the session runs at.
//
// For each window: it is shown, its picture saved as OUTDIR/DPI/PROGRAM-NAME.bmp, and every
// row of every table built onto it (and onto the controls it holds) is checked:
//   - the caption's text, measured in the control's own font, fits inside the control;
//   - the control lies inside its parent's client area;
//   - it overlaps no sibling, unless the table's 96-DPI bounds overlap them too;
//   - the windowed controls that take the focus follow the table's tab order;
// and the window itself: it is scaled to the session's DPI (unless it is one that draws in
// physical pixels), and its client size is the 96-DPI one scaled by the rule, read from
// OUTDIR/96/PROGRAM-sizes.txt, which the session at 96 DPI writes.  Windows made from dialog
// templates get the child and size checks.
struct TLayoutWindow {
  std::string Name;
  // A toolkit form, made when the walk comes to it.
  std::function<TForm*()> Form;
  // Or a window from a dialog template, made when the walk comes to it.
  std::function<HWND()> Dialog;
};

// The walker's main: arguments DPI OUTDIR.  Prints each failure and a summary line; the
// result is the exit status (0: every check held).
int LayoutWalkMain(int argc, char** argv, const char* program,
                   const std::vector<TLayoutWindow>& windows);
