#pragma once

#include <windows.h>

#include <functional>

#include "Component.h"
#include "ScrExport.h"

// A child window of class "ProxyChild" placed inside a foreign window (the control panel's
// preview area, a monitor picture) to host a preview form.  Its only job is to report when
// it is destroyed, which happens when the foreign window goes away.
class SCRKIT_API TProxy : public TComponent {
public:
  using TPxDestroyEvent =
      std::function<void(TProxy* Owner, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)>;

  // Registers the "ProxyChild" class once per process; a failed registration shows
  // "Failed to register monitor window class" and the proxy is still created.
  explicit TProxy(TComponent* owner);
  // Destroys the child window without reporting it.
  ~TProxy() override;

  // Called once when the child window is destroyed by anything but the proxy itself.
  TPxDestroyEvent OnPxDestroy;

  // Destroys the current child window (unreported) and, when parent is an existing window,
  // creates a visible child of parent's full size at (0, 0), control id 100, title "Proxy".
  void ChangeParentHwnd(HWND parent);
  // The window hosting the child window, or null when there is no child window.
  HWND GetParentHwnd() const;
  // The child window, or null.
  HWND ChildHwnd() const { return child_; }

  // Every message of the child window; only WM_DESTROY matters.
  void PxMessage(UINT msg, WPARAM wParam, LPARAM lParam);

private:
  HWND child_ = nullptr;
};
