#pragma once

#include <windows.h>

// Owners of device contexts and of what is selected into them, released in reverse order of
// acquisition by scope.

// The client-area device context of a window (GetDC / ReleaseDC).
class TWindowDC {
public:
  explicit TWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~TWindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return dc_; }

private:
  HWND window_;
  HDC dc_;
};

// The device context of a whole window, frame and title bar included (GetWindowDC).
class TNonClientDC {
public:
  explicit TNonClientDC(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
  ~TNonClientDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  TNonClientDC(const TNonClientDC&) = delete;
  TNonClientDC& operator=(const TNonClientDC&) = delete;
  HDC Get() const { return dc_; }

private:
  HWND window_;
  HDC dc_;
};

// A memory device context compatible with `reference` (null: with the screen).
class TMemoryDC {
public:
  explicit TMemoryDC(HDC reference) : dc_(CreateCompatibleDC(reference)) {}
  ~TMemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return dc_; }

private:
  HDC dc_;
};

// Selects an object into a device context for the lifetime of this object and then puts back
// what was selected before.  The object must outlive the selection.
class TSelection {
public:
  TSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~TSelection() {
    if (previous_) SelectObject(dc_, previous_);
  }
  TSelection(const TSelection&) = delete;
  TSelection& operator=(const TSelection&) = delete;

private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Saves the state of a device context (origin, clipping, modes) and restores it.
class TSavedDC {
public:
  explicit TSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~TSavedDC() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

private:
  HDC dc_;
  int saved_;
};
