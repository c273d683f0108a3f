#pragma once

#include <windows.h>

#include "Scale.h"

// The DPI of screens and windows, from the newest interface the system has: per monitor on
// Windows 8.1 and later, else the one system DPI every monitor shares.  Every result is
// positive.

// The system DPI: what an application that is not per-monitor aware sees on every monitor.
int ToolkitSystemDpi();
// The DPI of one monitor (the system DPI where monitors have none of their own).
int ToolkitMonitorDpi(HMONITOR monitor);
// The DPI of the monitor that holds most of `rect` (screen coordinates).
int ToolkitRectDpi(const RECT& rect);
// The DPI a window draws in: its monitor's under per-monitor awareness.
int ToolkitWindowDpi(HWND window);

// A system metric (GetSystemMetrics' index) as it is at `dpi`: GetSystemMetricsForDpi where
// it exists, else the system DPI's value scaled.
int ToolkitSystemMetric(int index, int dpi);

// The window rectangle for a client rectangle, with the frame a window of these styles has
// at `dpi` (AdjustWindowRectExForDpi where it exists, else at the system DPI).
void ToolkitAdjustWindowRect(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);
