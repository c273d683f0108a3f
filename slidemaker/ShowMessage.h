#pragma once

#include <string>

// The program's plain message: the text in a box captioned with the application's title,
// with one OK button, over the active window.  Returns when the user closes it.
void ShowMessage(const std::string& text);
