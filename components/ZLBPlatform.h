#pragma once

// The archive writer's temporary file, made by each system's own service.
// ZLBPlatformWin32.cpp and ZLBPlatformPosix.cpp implement it.

#include <string>

// Creates a new, empty file with a unique name starting with "ZLB" in the system's temporary
// folder and returns its name.  Throws EZLBArchiveError naming the folder when that fails.
std::string ZLBMakeTempFile();

