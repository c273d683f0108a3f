#pragma once

// Marks the framework's public classes and functions: the screen-saver module lists them in
// its export table, as a library of savers does, and nothing else of the module.  Nothing
// imports them; the marks change no call inside the program.
#ifdef _WIN32
#define SCRKIT_API __declspec(dllexport)
#else
#define SCRKIT_API
#endif
