// Opens the file-open dialog twice over the folder named on the command line and writes what
// each Execute returned, one line each ("true PATH" or "false PATH", PATH being FileName
// afterwards), into the result file.  Usage: open_dialog_probe FOLDER RESULT-FILE.
// The captions "Plotvane open probe 1" and "... 2" tell the driving script which is up.
#include <windows.h>

#include <cstdio>
#include <string>

#include "OpenDialog.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc != 3) return 2;
  std::FILE* result = std::fopen(__argv[2], "w");
  if (!result) return 3;

  TOpenDialog dialog(nullptr);
  dialog.DefaultExt = "txt";
  dialog.Filter = "Text files (*.txt)|*.txt|All files|*.*|";
  dialog.InitialDir = __argv[1];
  dialog.FileName = "unchanged.txt";
  for (int round = 1; round <= 2; ++round) {
    dialog.Title = "Plotvane open probe " + std::to_string(round);
    const bool chosen = dialog.Execute(nullptr);
    std::fprintf(result, "%s %s\n", chosen ? "true" : "false", dialog.FileName.c_str());
    std::fflush(result);
  }
  std::fclose(result);
  return 0;
}
