#include "Dpi.h"

#include "DeviceContext.h"
#include "DynamicLibrary.h"

namespace {

// shcore.dll's MDT_EFFECTIVE_DPI: the DPI the user chose for the monitor.
constexpr int EffectiveDpi = 0;

using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using MetricForDpiFunction = int(WINAPI*)(int, UINT);
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// Libraries loaded once for the process: the entries stay valid while it runs.
const TDynamicLibrary& Shcore() {
  static const TDynamicLibrary library("shcore.dll");
  return library;
}

HMODULE User32() { return GetModuleHandleA("user32.dll"); }

template <class F>
F User32Entry(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(User32(), name)));
}

}  // namespace

int ToolkitSystemDpi() {
  TWindowDC screen(nullptr);
  const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  return dpi > 0 ? dpi : ToolkitDesignDpi;
}

int ToolkitMonitorDpi(HMONITOR monitor) {
  static const auto getDpi = Shcore().Entry<GetDpiForMonitorFunction>("GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (monitor && getDpi && SUCCEEDED(getDpi(monitor, EffectiveDpi, &x, &y)) && y > 0)
    return static_cast<int>(y);
  return ToolkitSystemDpi();
}

int ToolkitRectDpi(const RECT& rect) {
  return ToolkitMonitorDpi(MonitorFromRect(&rect, MONITOR_DEFAULTTOPRIMARY));
}

int ToolkitWindowDpi(HWND window) {
  static const auto getDpi = User32Entry<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpi && window)
    if (const UINT dpi = getDpi(window); dpi > 0) return static_cast<int>(dpi);
  return ToolkitMonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY));
}

int ToolkitSystemMetric(int index, int dpi) {
  static const auto metric = User32Entry<MetricForDpiFunction>("GetSystemMetricsForDpi");
  if (metric) return metric(index, static_cast<UINT>(dpi));
  return ToolkitScale(GetSystemMetrics(index), dpi, ToolkitSystemDpi());
}

void ToolkitAdjustWindowRect(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
  static const auto adjust = User32Entry<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
  if (adjust && adjust(&rect, style, menu, exStyle, static_cast<UINT>(dpi))) return;
  AdjustWindowRectEx(&rect, style, menu, exStyle);
}
