#pragma once

#include <windows.h>

// The placeholder preview: a window of class "ScrkitBlurb" that shows the module's
// "SCRBLURB" bitmap at its top-left corner on black.  The window holds its own copy of the
// bitmap and deletes it when it is destroyed.

// Registers "ScrkitBlurb" unless it exists; false when registration fails.
bool ScrRegisterBlurbClass();

// Creates the visible placeholder inside parent with parent's window size; the window
// belongs to parent and goes away with it.
HWND ScrCreateBlurb(HWND parent);
