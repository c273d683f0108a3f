#pragma once

#include <windows.h>

#include <functional>

// Message loops for window tests: they wait for the condition a test checks, never for a
// fixed time, so a loaded machine makes a test slower but never wrong.

// Dispatches messages until `done` holds, and says whether it did.  The limit (a minute
// unless given) only turns a broken component into a failing test instead of a hung one;
// a healthy one meets its condition long before.
inline bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 60000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > limitMs) return false;
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

// Dispatches every message posted to this thread before the call, and says whether it got
// there: a marker posted behind them comes out of the queue after them.  The proof that a
// component which has stopped (its worker ended, its timer killed) left nothing pending.
inline bool PumpPosted(DWORD limitMs = 60000) {
  const UINT marker = RegisterWindowMessageA("PumpPostedMarker");
  if (!PostThreadMessageA(GetCurrentThreadId(), marker, 0, 0)) return false;
  bool arrived = false;
  const DWORD start = GetTickCount();
  while (!arrived) {
    if (GetTickCount() - start > limitMs) return false;
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.hwnd == nullptr && message.message == marker) {
        arrived = true;
      } else {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  return true;
}

// Dispatches messages for `milliseconds`: pacing for a component that must run a while
// (a timer that should tick several times), never the proof that something did not happen;
// such a check waits first for a later event that shows the moment has passed.
inline void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  PumpUntil([&] { return GetTickCount() - start >= milliseconds; });
}
