#include "ProjectFolderHidden.h"

#include <windows.h>

bool ProjectFolderHidden(const std::string& path, const std::string&) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}
