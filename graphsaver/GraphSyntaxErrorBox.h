#pragma once

#include <windows.h>

// The message box of a graph whose function text does not compile (error icon, OK button),
// owned by `owner` (may be null).  Returns when the user closes it.
void ShowGraphSyntaxError(HWND owner);
