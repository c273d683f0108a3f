#pragma once

// The system's side of the drive, folder and file lists: what a folder holds and which
// drives exist.  The rules of what is shown and in which order are in FolderListing.h.

#include <stdexcept>
#include <string>
#include <vector>

#include "FolderListing.h"

// A folder that cannot be read.  what() names the folder and the system's error code, for
// instance "Cannot list folder C:\missing (system error 3)"; Code() is that code
// (GetLastError: 3 path not found, 5 access denied, 21 drive not ready, ...).
class EFolderListError : public std::runtime_error {
public:
  EFolderListError(const std::string& folder, unsigned long code);
  unsigned long Code() const { return code_; }

private:
  unsigned long code_;
};

// Every entry of folder ("C:\Photos", "C:\Photos\" and "C:\" alike; "" is the current
// folder), read through FileListFolder ("." and ".." left out), in the system's order, with
// their folder, hidden and system attributes.  The names are the long names: a mask is never
// given to the system, whose own matching also tries the short 8.3 alias (so "*.jpg" would
// find "x.jpeg" through "X~1.JPG").  A folder without entries gives an empty list; a folder
// that cannot be read (missing, no access, no medium in the drive) throws EFolderListError.
std::vector<TFolderEntry> FolderRead(const std::string& folder);

// The roots of the logical drives in letter order, each as "C:\" (GetLogicalDriveStrings).
std::vector<std::string> FolderDrives();
