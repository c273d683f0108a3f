#pragma once

// The one way from a path string to a file operation.  Every path the programs handle (the
// project store, the list file, the archive writer and reader, the picture loaders, the
// folder lists, the build's template copy, the slideshow saver) is a byte string and reaches
// the system only through these functions.
//
// On Windows a path is text in the system's ANSI code page, as the "A" functions, the list
// file and the archive directory hold it: each function turns it into UTF-16 with
// MultiByteToWideChar(CP_ACP) and calls the wide function, and names read from a folder come
// back through WideCharToMultiByte(CP_ACP), so a name round-trips exactly when the code page
// can hold it.  A narrow std::filesystem::path is never used: the MinGW runtime converts it
// as Latin-1, which turns the en dash, the quotes, the ellipsis and the euro of code page 1252
// (0x80 to 0x9F) into other characters.  On POSIX a path is handed to the system byte for byte.

#include <cstdint>
#include <cstdio>
#include <istream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "FolderListing.h"

struct TFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
// An open C file, closed when the owner goes.
using TFileHandle = std::unique_ptr<std::FILE, TFileCloser>;

// std::fopen's modes ("rb", "wb", "w+b", ...).  Null on failure, errno set.
TFileHandle FileOpen(const std::string& path, const char* mode);

// An existing or new file opened for reading and writing, truncated, that nobody else may open
// while we hold it (Windows; POSIX has no such lock and opens it plainly).  Null on failure.
TFileHandle FileOpenExclusive(const std::string& path);

// Whether anything (file or folder) of that name exists; whether it is a folder.
bool FileExists(const std::string& path);
bool FileIsFolder(const std::string& path);

// The size of a file in bytes; false when there is no such file.
bool FileSize(const std::string& path, uint64_t& size);

// Deletes a file.  The system's error on failure.
std::error_code FileDelete(const std::string& path);

// Moves (renames) a file, replacing any file of the target's name, across drives too.  The
// system's error on failure (Windows: a system_category code; POSIX: a generic one).
std::error_code FileMove(const std::string& from, const std::string& to);

// Creates a folder with any missing parents.  True when it exists as a folder afterwards.
bool FileCreateFolders(const std::string& path);

// The entries of a folder ("C:\Photos", "C:\Photos\" and "C:\" alike), "." and ".." left
// out, in the system's order, with their folder, hidden and system attributes.  On Windows a
// name the code page cannot hold comes with "?" in place of each such character, as the "A"
// functions give it.  Empty with `error` set (GetLastError, or errno on POSIX) when the folder
// cannot be read; `error` is 0 otherwise.
std::vector<TFolderEntry> FileListFolder(const std::string& folder, unsigned long& error);

// A file opened for binary reading as a seekable stream; null when it cannot be opened.
std::unique_ptr<std::istream> FileOpenRead(const std::string& path);

// The whole content of a file; false when it cannot be opened or read.
bool FileReadAll(const std::string& path, std::vector<uint8_t>& bytes);

// Whether a name the system listed can be opened again: a Windows file name never holds "?"
// (nor "*"), so one that does stands for characters the code page cannot hold.
bool FileNameHeldByCodePage(const std::string& name);
