#pragma once

#include <cstdint>

#include "ScrMode.h"

// The byte logic of the saver's command line, free of any window system so that every case
// can be tested with a fake.  ParseCommandLine (ScrCommandLine.h) runs it on the process
// command line with the real windows.

// A window handle as a number: what the host writes on the command line and what IsWindow
// checks.  0 is no window.
using TScrWindowId = std::uintptr_t;

// What the parser needs to know about windows.  The Win32 implementation asks the system;
// tests answer from a table.
class TScrWindowQueries {
public:
  virtual ~TScrWindowQueries() = default;
  virtual bool IsWindow(TScrWindowId window) = 0;
  virtual TScrWindowId ForegroundWindow() = 0;
  // The child window of the running "Scrprev" previewer, or 0 after telling the user why not.
  virtual TScrWindowId CheckForScrprev() = 0;
  // Shows an error box (caption "Error") for a failure the user should know about.
  virtual void ShowError(const char* text) = 0;
};

// Parses a whole command line, program name first: "x.scr /p 1234", "\"C:\\a b\\x.scr\" -s".
// On success sets mode (smSFull, smSPMain, smCRegular or smPasswordChange) and parent (0 for
// smSFull) and returns true; on failure returns false and leaves both untouched.  Switches:
// an optional "-", then an optional "/", then the letter, case-insensitive:
//   p, l  preview: the rest, after blanks and colons, is a window number read like scanf's
//         "%i" (decimal, 0x hexadecimal, 0 octal) that must name an existing window, or
//         exactly "scrprev", "ScrPrev" or "SCRPREV" for the previewer's window;
//   c     configuration over the foreground window (anything after the letter is ignored);
//   s     full screen;
//   a     password change, over the window whose number follows when it exists, else over
//         the foreground window.
// Blanks are spaces only.  A null commandLine fails.
bool ScrParseCommandLineText(const char* commandLine, TScrWindowQueries& windows,
                             TScrMode& mode, TScrWindowId& parent);

// Whether this run starts a new trace log: every run except a preview ("p", "P", "l", "L"
// switch), which the control panel starts again and again and which appends.  A program name
// whose quote never closes starts a new log; so does a null commandLine.
bool ScrCommandLineStartsNewLog(const char* commandLine);
