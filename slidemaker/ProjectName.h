#pragma once

// Which project names can become folders.  A name is the folder's own name below the Projects
// folder, so it must not reach outside it or below it, and must be a name the file system
// keeps: Windows refuses some characters and the names of its devices.

#include <string>

// Empty when name may be used (the empty name, "." and ".." included: they name the Projects
// folder itself or the program folder, which the New dialog reports as an existing project);
// otherwise the message the New dialog shows, in the program's words:
//   a "\" or "/", or any of : * ? " < > | or a control character (codes 1 to 31);
//   a device name such as CON, NUL, COM1 or LPT1, alone or before an extension, in any case;
//   more than 255 characters, the longest name a folder may have.
std::string ProjectNameProblem(const std::string& name);
