#pragma once

// Splitting of file paths the way the archive stores them.  Paths come from Windows users, so
// both "\" and "/" separate folders on every platform, and a drive ends at the first ":".

#include <string>
#include <string_view>

// The separator AddFolderFiles puts between a folder and the names inside it.
#ifdef _WIN32
inline constexpr char ZLBPathDelim = '\\';
#else
inline constexpr char ZLBPathDelim = '/';
#endif

// "C:\pics\a.jpg" -> "a.jpg".
std::string ZLBFileName(std::string_view path);
// "C:\pics\a.jpg" -> "C:\pics\" (up to and including the last separator or drive colon).
std::string ZLBFilePath(std::string_view path);
// The folder field SavePaths stores: ZLBFilePath without everything up to and including the
// first ":"  ("C:\pics\a.jpg" -> "\pics\").
std::string ZLBStoredFolder(std::string_view path);
// ASCII case-insensitive equality, as the file systems of the target platform compare names.
bool ZLBSameText(std::string_view a, std::string_view b);
