#pragma once

// Who the editor says it is: the application title (the caption of its message boxes), the
// main window's caption, the home page it names and the author's contact lines.

#include "ProductVersion.h"

inline constexpr const char* ProgramTitle = "Lumivox - Studio Esempio";
inline constexpr const char* ProgramCaption = "Lumivox " PRODUCT_VERSION " - Studio Esempio";
inline constexpr const char* ProgramHomePage = "lumivox.example";

// The six lines of the about box, top to bottom.
inline constexpr const char* ProgramContactLines[6] = {
    "Lumivox " PRODUCT_VERSION, "Studio Esempio",       "Via dell'Esempio 1",
    "00000 Esempiopoli",        "info@lumivox.example", "lumivox.example",
};
