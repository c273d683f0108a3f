#include "ScrCommandLineText.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

bool IsBlank(char c) { return c == ' '; }

// Returns the position after the program name, or null when a quote never closes.
const char* SkipProgramName(const char* p) {
  if (*p == '"') {
    const char* closing = std::strchr(p + 1, '"');
    return closing ? closing + 1 : nullptr;
  }
  while (*p != '\0' && *p != ' ') ++p;
  return p;
}

// Returns the position of the switch letter: after the program name, the blanks, one
// optional "-" and one optional "/" (in that order only).
const char* FindSwitchLetter(const char* commandLine) {
  const char* p = SkipProgramName(commandLine);
  if (!p) return nullptr;
  while (IsBlank(*p)) ++p;
  if (*p == '-') ++p;
  if (*p == '/') ++p;
  return p;
}

const char* SkipBlanksAndColons(const char* p) {
  while (IsBlank(*p) || *p == ':') ++p;
  return p;
}

// Reads a window number the way scanf's "%i" does (leading white space, sign, 0x or 0
// prefix).  Empty when nothing converts.  A number outside the 32 bits a window handle is
// written with cannot name a window; it reads as 0 rather than wrapping onto some other
// window's handle.
std::optional<TScrWindowId> ReadWindowNumber(const char* text) {
  char* end = nullptr;
  errno = 0;
  long long value = std::strtoll(text, &end, 0);
  if (end == text) return std::nullopt;
  if (errno == ERANGE || value < INT32_MIN || value > static_cast<long long>(UINT32_MAX)) {
    return TScrWindowId{0};
  }
  // Handles are 32-bit values sign-extended to pointer width, as the host prints them.
  if (value > INT32_MAX) value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  return static_cast<TScrWindowId>(static_cast<std::intptr_t>(value));
}

bool IsScrprevWord(const char* text) {
  return std::strcmp(text, "scrprev") == 0 || std::strcmp(text, "ScrPrev") == 0 ||
         std::strcmp(text, "SCRPREV") == 0;
}

}  // namespace

bool ScrParseCommandLineText(const char* commandLine, TScrWindowQueries& windows,
                             TScrMode& mode, TScrWindowId& parent) {
  if (!commandLine) return false;
  const char* p = FindSwitchLetter(commandLine);
  if (!p) return false;

  switch (*p) {
    case 'p': case 'P': case 'l': case 'L': {
      const char* rest = SkipBlanksAndColons(p + 1);
      if (*rest == '\0') return false;
      TScrWindowId window = 0;
      if (IsScrprevWord(rest)) {
        window = windows.CheckForScrprev();
        if (window == 0) {
          windows.ShowError("Could not find ScrPrev for preview");
          return false;
        }
      } else {
        std::optional<TScrWindowId> number = ReadWindowNumber(rest);
        if (!number || !windows.IsWindow(*number)) return false;
        window = *number;
      }
      mode = smSPMain;
      parent = window;
      return true;
    }
    case 'c': case 'C':
      mode = smCRegular;
      parent = windows.ForegroundWindow();
      return true;
    case 's': case 'S':
      mode = smSFull;
      parent = 0;
      return true;
    case 'a': case 'A': {
      const char* rest = SkipBlanksAndColons(p + 1);
      TScrWindowId window = 0;
      if (*rest != '\0') {
        std::optional<TScrWindowId> number = ReadWindowNumber(rest);
        if (number && windows.IsWindow(*number)) window = *number;
      }
      mode = smPasswordChange;
      parent = window != 0 ? window : windows.ForegroundWindow();
      return true;
    }
    default:
      return false;
  }
}

bool ScrCommandLineStartsNewLog(const char* commandLine) {
  if (!commandLine) return true;
  const char* p = FindSwitchLetter(commandLine);
  if (!p) return true;
  return !(*p == 'p' || *p == 'P' || *p == 'l' || *p == 'L');
}
