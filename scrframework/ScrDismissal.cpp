#include "ScrDismissal.h"

#include <cstdlib>

const char* ScrActionName(TScrAction action) {
  switch (action) {
    case saNone: return "saNone";
    case saClose: return "saClose";
    case saActiveConfig: return "saActiveConfig";
  }
  return "saNone";
}

bool ScrMovedBeyond(TScrPoint reference, TScrPoint cursor, std::uint32_t threshold) {
  std::uint64_t dx = std::llabs(static_cast<long long>(cursor.x) - reference.x);
  std::uint64_t dy = std::llabs(static_cast<long long>(cursor.y) - reference.y);
  return dx * dx + dy * dy > static_cast<std::uint64_t>(threshold) * threshold;
}

bool ScrSwallowsMessage(bool full, bool closing, unsigned message, std::uintptr_t wParam) {
  if (!full) return false;
  if (message == ScrWmClose) return !closing;
  // The low four bits of a system command are the system's own.
  return message == ScrWmSysCommand && (wParam & 0xFFF0) == ScrScScreenSave;
}

TScrInputDecision ScrDecideInput(const TScrInputState& state, unsigned message,
                                 std::uintptr_t wParam, std::intptr_t lParam, TScrPoint cursor) {
  bool live = state.full && !state.dialogOpen && state.control && !state.inputDisabled;
  switch (message) {
    case ScrWmActivate:
    case ScrWmActivateApp:
    case ScrWmNcActivate:
      // Losing activation means another window came up over the saver.
      if (state.full && (wParam & 0xFFFF) == 0 && !state.dialogOpen && !state.debug) {
        return {saClose, {}, "Full activation message: closing..."};
      }
      break;
    case ScrWmKeyDown:
      if (live && !state.debug) {
        if (wParam == ScrVkControl || wParam == ScrVkShift || wParam == ScrVkScroll) {
          if (state.activeConfig) return {saActiveConfig, {0, 0}, "Full control key down: active config..."};
          return {saClose, {}, "Full control key down: closing..."};
        }
        return {saClose, {}, "Full key down: closing..."};
      }
      break;
    case ScrWmMouseMove:
      if (live && !state.debug && state.mouseThreshold < ScrMouseIgnored &&
          ScrMovedBeyond(state.reference, cursor, state.mouseThreshold)) {
        return {saClose, {}, "Full mouse move: closing..."};
      }
      break;
    case ScrWmLButtonDown:
    case ScrWmMButtonDown:
      if (live) return {saClose, {}, "Full mouse down: closing..."};
      break;
    case ScrWmRButtonDown:
      if (live) {
        if (state.activeConfig) {
          TScrPoint at{static_cast<std::int16_t>(lParam & 0xFFFF),
                       static_cast<std::int16_t>((lParam >> 16) & 0xFFFF)};
          return {saActiveConfig, at, "Full right mouse: active config..."};
        }
        return {saClose, {}, "Full right mouse: closing..."};
      }
      break;
  }
  return {};
}
