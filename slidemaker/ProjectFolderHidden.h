#pragma once

#include <string>

// True when the folder at path should not be offered as a project: hidden or system folders
// on Windows, names starting with "." elsewhere.  name is the folder's own name.
bool ProjectFolderHidden(const std::string& path, const std::string& name);
