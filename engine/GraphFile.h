#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "GraphSet.h"

// A graph set file that cannot be read or written.  what() is the message for the user:
// "Cannot open file NAME", "Cannot create file NAME" or "Cannot write file NAME".
class EFileError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Reads every chunk of a graph set file (see ParseGraphSet).  Throws EFileError when the file
// cannot be opened or read.
TGraphSet LoadGraphFile(const std::string& fileName);

// Writes the set to the file.  The bytes go to a new file in the same folder first, which
// replaces the old one only when it has been written, flushed and closed without error: a
// failed save leaves the old file as it was and throws EFileError (or std::length_error for a
// document too large to store, before anything is written).
void SaveGraphFile(const std::string& fileName, const TGraphSet& set);

// The file name without folder and extension: the characters after the last "\" or "/" up to
// the first "." after it.
std::string FileStem(std::string_view path);
