#include "ZLBPlatform.h"

#include <windows.h>

#include "ZLIBArchiveReader.h"

std::string ZLBMakeTempFile() {
  char folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length > sizeof folder)
    throw EZLBArchiveError("Unable to find the temporary folder (error " +
                           std::to_string(GetLastError()) + ")");
  char name[MAX_PATH + 1] = {};
  // Unique number 0: the service picks a free name and creates the empty file.
  if (GetTempFileNameA(folder, "ZLB", 0, name) == 0)
    throw EZLBArchiveError(std::string("Unable to create a temporary file in ") + folder +
                           " (error " + std::to_string(GetLastError()) + ")");
  return name;
}
