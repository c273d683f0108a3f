#pragma once

// The few file services of the archive writer that differ between Windows and POSIX.
// ZLBPlatformWin32.cpp and ZLBPlatformPosix.cpp implement them.

#include <cstdio>
#include <memory>
#include <string>

struct TZLBFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
// An open C file, closed when the owner goes.
using TZLBFile = std::unique_ptr<std::FILE, TZLBFileCloser>;

// Creates a new, empty file with a unique name starting with "ZLB" in the system's temporary
// folder and returns its name.  Throws EZLBArchiveError naming the folder when that fails.
std::string ZLBMakeTempFile();

// Opens an existing file for reading and writing, truncated, that nobody else may open while
// we hold it (Windows; POSIX has no such lock and opens it plainly).  Null on failure.
TZLBFile ZLBOpenExclusive(const std::string& fileName);
