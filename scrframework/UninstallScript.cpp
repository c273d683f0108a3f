#include "UninstallScript.h"

namespace {

std::string BatchQuoted(std::string_view path) {
  std::string quoted = "\"";
  for (char c : path) {
    if (c == '%') quoted += '%';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

}  // namespace

bool ScrIsUninstallSwitch(std::string_view commandTail) { return commandTail == "-u"; }

std::string ScrModuleFolder(std::string_view modulePath) {
  std::size_t slash = modulePath.rfind('\\');
  return std::string(slash == std::string_view::npos ? modulePath : modulePath.substr(0, slash));
}

std::string ScrUninstallBatch(std::string_view modulePath, std::string_view batchPath) {
  std::string module = BatchQuoted(modulePath);
  return ":Repeat\r\n"
         "del " + module + "\r\n"
         "if exist " + module + " goto Repeat\r\n"
         "rmdir " + BatchQuoted(ScrModuleFolder(modulePath)) + "\r\n"
         "del " + BatchQuoted(batchPath) + "\r\n";
}
