#include "FileError.h"

#include <cerrno>

EInOutError::EInOutError(int code) : std::runtime_error(FileErrorText(code)), code_(code) {}

std::string FileErrorText(int code) {
  switch (code) {
    case FileErrNotFound: return "File not found";
    case FileErrPathNotFound: return "Invalid filename";
    case FileErrTooManyOpen: return "Too many open files";
    case FileErrAccessDenied: return "File access denied";
    case FileErrReadBeyondEnd: return "Read beyond end of file";
    case FileErrDiskFull: return "Disk full";
    case FileErrInvalidNumeric: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(code);
  }
}

int FileErrorFromErrno(int errnoValue, bool folderExists) {
  switch (errnoValue) {
    case ENOENT: return folderExists ? FileErrNotFound : FileErrPathNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL: return FileErrPathNotFound;
    case EMFILE:
    case ENFILE: return FileErrTooManyOpen;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return FileErrAccessDenied;
    case ENOSPC: return FileErrDiskFull;
    default: return errnoValue;
  }
}

int FileErrorFromCode(const std::error_code& ec, bool folderExists) {
  if (ec.category() == std::generic_category()) return FileErrorFromErrno(ec.value(), folderExists);
#ifdef _WIN32
  return ec.value();  // already a Windows error number
#else
  return FileErrorFromErrno(ec.value(), folderExists);
#endif
}
