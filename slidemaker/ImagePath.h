#pragma once

// Whether a picture the image picker lists can enter the project.

#include <string>

// Empty when path may be added; otherwise the message the picker shows.  A path whose name
// holds characters the system's code page cannot hold comes from the system with "?" in their
// place, in its name or a folder's (FileNameHeldByCodePage): no program of this code page can open it again, so it never
// reaches the list, where it would only be left out of the archive.
std::string ImagePathProblem(const std::string& path);
