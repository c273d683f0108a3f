#pragma once

#include <windows.h>

#include "ScrExport.h"
#include "ScrMode.h"

// Parses the process command line (GetCommandLineA) with the rules of
// ScrParseCommandLineText against the real windows.  On success sets mode and parent and
// returns true; on failure returns false and leaves both untouched.
SCRKIT_API bool ParseCommandLine(TScrMode& mode, HWND& parent);

// The first child window of the running "Scrprev" previewer, started when it does not run.
// On failure shows an error box (caption "Error") naming the step that failed and returns
// null.
SCRKIT_API HWND CheckForScrprev();

// Sets the extended style of the application's hidden window to exactly WS_EX_TOOLWINDOW,
// which keeps the program off the taskbar.
SCRKIT_API void StopAppWindowFromAppearingOnTaskbar();
