#include "ProjectName.h"

#include <cctype>
#include <string_view>

namespace {

constexpr const char* ForbiddenCharacters = "\\/:*?\"<>|";

// Windows gives these names to devices in every folder, with or without an extension.
bool DeviceName(std::string_view name) {
  const std::string_view base = name.substr(0, name.find('.'));
  std::string upper;
  for (char c : base) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (upper == device) return true;
  return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
         upper[3] >= '1' && upper[3] <= '9';
}

}  // namespace

std::string ProjectNameProblem(const std::string& name) {
  for (char c : name) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32 || std::string_view(ForbiddenCharacters).find(c) != std::string_view::npos)
      return "Il nome del progetto non può contenere i caratteri \\ / : * ? \" < > | "
             "né caratteri di controllo";
  }
  if (DeviceName(name))
    return "Il nome \"" + name + "\" è riservato dal sistema: scegli un altro nome per il progetto";
  if (name.size() > 255) return "Il nome del progetto è troppo lungo (al massimo 255 caratteri)";
  return {};
}
