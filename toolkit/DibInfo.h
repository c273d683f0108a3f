#pragma once

#include <windows.h>

// The header of a 32-bit BI_RGB device-independent bitmap, the one pixel layout the programs
// hand to GDI and take back from it (0x00RRGGBB words).  A negative height gives top-down rows.
inline BITMAPINFO ToolkitDibInfo(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}
