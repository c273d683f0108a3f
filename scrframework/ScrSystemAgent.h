#pragma once

#include "ScrExport.h"

// The System Agent of Windows 9x ("Sage.DLL", and "ScrHots.dll" of the hot-corner tools),
// which starts screen savers on a schedule and from the mouse corners.  Where neither
// library exists (every NT system, Wine) both calls find nothing and do nothing.

// Whether the System Agent runs: asked once per process (System_Agent_Detect of either
// library), then remembered.
SCRKIT_API bool SageOk();

// Asks the libraries again, for a user who may have started the agent meanwhile, and
// remembers the new answer.  Window thread only.
bool ScrDetectSystemAgent();

// Tells the System Agent that the screen-saver settings changed (Screen_Saver_Changed of
// each library that exports it).  Missing libraries or entries are skipped silently.
void ScrNotifyScreenSaverChanged();
