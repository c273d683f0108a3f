#pragma once

#include <windows.h>

#include <functional>

// Message loops for tests of components that tick or paint through window messages.

// Dispatches messages until `done` holds.  Gives up after a minute, so that a broken
// component fails its test instead of hanging it; nothing here is meant to take that long.
inline bool PumpUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 60000) return false;
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  return true;
}

// Dispatches messages for `milliseconds`, for checks that something does not happen.
inline void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  PumpUntil([&] { return GetTickCount() - start >= milliseconds; });
}
