#include "OpenDialog.h"

#include <commdlg.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "FileFilter.h"

namespace {

// Room for the longest path the system accepts (32767 characters) and its terminator.
constexpr std::size_t FileNameCapacity = 32768;

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

bool TOpenDialog::Execute(HWND owner) {
  const std::string filter = FileFilterForDialog(Filter);
  std::vector<char> file(FileNameCapacity, '\0');
  FileName.copy(file.data(), file.size() - 1);

  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = OrNull(filter);
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = OrNull(InitialDir);
  dialog.lpstrTitle = OrNull(Title);
  dialog.lpstrDefExt = OrNull(DefaultExt);
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;

  if (GetOpenFileNameA(&dialog)) {
    FileName = file.data();
    return true;
  }
  if (const DWORD error = CommDlgExtendedError()) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04lX", static_cast<unsigned long>(error));
    throw std::runtime_error(std::string("The file-open dialog could not be shown (error ") +
                             code + ")");
  }
  return false;
}
