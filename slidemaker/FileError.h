#pragma once

// File errors of the editor's text files.  They reach the application's default error report,
// which shows what() in a message box; Code() is the platform's error number behind it.

#include <stdexcept>
#include <string>
#include <system_error>

class EInOutError : public std::runtime_error {
public:
  explicit EInOutError(int code);
  int Code() const { return code_; }

private:
  int code_;
};

// Windows error numbers the messages are keyed by.
inline constexpr int FileErrNotFound = 2;
inline constexpr int FileErrPathNotFound = 3;
inline constexpr int FileErrTooManyOpen = 4;
inline constexpr int FileErrAccessDenied = 5;
inline constexpr int FileErrReadBeyondEnd = 100;
inline constexpr int FileErrDiskFull = 101;
inline constexpr int FileErrInvalidNumeric = 106;

// "File not found", "Invalid filename", ... or "I/O error %d" for any other code.
std::string FileErrorText(int code);

// The Windows error number for a failed file operation.  errno values are translated
// (ENOENT is 2 when folderExists, else 3: a missing folder); Windows error codes carried by
// a system error_code on Windows pass unchanged.
int FileErrorFromErrno(int errnoValue, bool folderExists);
int FileErrorFromCode(const std::error_code& ec, bool folderExists);
