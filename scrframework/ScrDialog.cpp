#include "ScrDialog.h"

#include <typeinfo>

#include "ScrControl.h"
#include "ScrDebug.h"
#include "ScrForm.h"
#include "ScrGeneral.h"
#include "ScrMonitor.h"
#include "ScrProcess.h"
#include "ScrSettings.h"

namespace {

// Depth first through the components `root` owns and theirs; the first match, or null.
template <class T, class Accept>
T* FindOwned(const TComponent& root, Accept accept) {
  for (TComponent* component : root.Components()) {
    if (auto* found = dynamic_cast<T*>(component); found && accept(*found)) return found;
    if (T* found = FindOwned<T>(*component, accept)) return found;
  }
  return nullptr;
}

bool Owns(const TComponent& root, const TComponent* wanted) {
  return FindOwned<TComponent>(root, [&](const TComponent& c) { return &c == wanted; }) != nullptr;
}

BOOL CALLBACK TakeFirstIcon(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
  *reinterpret_cast<HICON*>(found) = LoadIconA(GetModuleHandleA(nullptr), name);
  return FALSE;  // the first group is the program's own icon
}

// The program's icon: the first icon group of the module, or the system's application icon.
// Shared icons: nobody destroys them.
HICON ApplicationIcon() {
  HICON icon = nullptr;
  EnumResourceNamesA(GetModuleHandleA(nullptr), RT_GROUP_ICON, &TakeFirstIcon,
                     reinterpret_cast<LONG_PTR>(&icon));
  return icon ? icon : LoadIconA(nullptr, IDI_APPLICATION);
}

}  // namespace

TScrDialog::TScrDialog(TComponent* owner) : TScrBase(owner) {
  Purpose = smConfig;
  InUse = false;
  SetBorderStyle(bsDialog);
  SetPosition(poDefaultPosOnly);
}

TScrDialog::~TScrDialog() {
  // The panel may have been destroyed before the dialog; only a live one is touched.
  if (general_ && settings_ && Owns(*this, general_)) general_->OnChange = std::move(generalOnChange_);
}

bool TScrDialog::HandlesConfig() {
  return Purpose == smConfig || Purpose == smCRegular || Purpose == smCActive;
}

void TScrDialog::OnGeneralChangeSet(TComponent* sender) {
  if (settings_ && general_) settings_->CopyFromGeneral(general_);
  if (generalOnChange_) generalOnChange_(sender);
}

void TScrDialog::AfterConstruction() {
  if (constructed_) return;
  constructed_ = true;
  if (HandlesConfig()) {
    // The settings component itself, not a descendant of it: the last one the dialog owns.
    for (TComponent* component : Components()) {
      if (typeid(*component) == typeid(TScrSettings)) settings_ = static_cast<TScrSettings*>(component);
    }
    general_ = FindOwned<TScrGeneral>(*this, [](const TScrGeneral&) { return true; });
    TScrControl* control = ScrProcess().control;
    if (general_ && control) {
      general_->SetAllowActiveConfig(control->AllowActiveConfig);
      general_->SetAllowMute(control->AllowMute);
      general_->SetRequirePassword(control->RequirePassword);
    }
    if (general_ && settings_) {
      generalOnChange_ = std::move(general_->OnChange);
      general_->OnChange = [this](TComponent* sender) { OnGeneralChangeSet(sender); };
      settings_->BindGeneral(general_);
    }
    previewMonitor_ = FindOwned<TScrMonitor>(
        *this, [](const TScrMonitor& monitor) { return monitor.Use() == smuPreview; });
  }
  if (HandleAllocated()) PostMessageA(WindowHandle(), ScrMessage, ScrDelayedStart, 0);
}

void TScrDialog::CreateParams(TCreateParams& params) {
  TScrBase::CreateParams(params);
  params.style = WS_OVERLAPPEDWINDOW;
  // A dialog laid out at a fixed size has nothing to show in a larger window: maximised, it
  // was a large grey area with the controls in one corner.
  if (BorderStyle() == bsDialog) params.style &= ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
}

void TScrDialog::CreateWnd() {
  TScrBase::CreateWnd();
  AfterConstruction();
  if (HandlesConfig() && previewMonitor_) AskForMonitorPreview();
}

void TScrDialog::AskForMonitorPreview() {
  TScrControl* control = ScrProcess().control;
  if (!control) return;
  HWND monitor = previewMonitor_->Handle();
  // Asked again when the delayed-start message comes: a second preview would lie over the
  // first one and run with it.
  HWND screen = previewMonitor_->PreviewWindow();
  if (screen && GetWindow(screen, GW_CHILD)) return;
  control->CreateMonitorPreview(monitor);
}

void TScrDialog::FixSystemMenu() {
  TScrControl* control = ScrProcess().control;
  if (!control) return;
  RemoveSystemMenuItem(ScrAboutSeparatorId);
  RemoveSystemMenuItem(ScrAboutMenuId);
  if (control->DisableAboutMenuItem) return;
  AppendSystemMenuSeparator(ScrAboutSeparatorId);
  AppendSystemMenuItem(ScrAboutMenuId, "&About...");
}

LRESULT TScrDialog::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == ScrMessage && wParam == ScrDelayedStart) {
    if (!ScrProcess().control) {
      ScrDebug(tlErr, "We've got to creating the dialog " + Name() +
                          ", and there's still no ScrControl object. What's up?");
      ScrTerminate();
      return 0;
    }
    if (HandlesConfig() && previewMonitor_) AskForMonitorPreview();
    FixSystemMenu();
  }
  const LRESULT result = TScrBase::WndProc(message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      if (Purpose == smConfig || Purpose == smCActive || Purpose == smCRegular) {
        HICON icon = ApplicationIcon();
        HWND window = WindowHandle();
        savedBigIcon_ = reinterpret_cast<HICON>(
            SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon)));
        savedSmallIcon_ = reinterpret_cast<HICON>(
            SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
      }
      FixSystemMenu();
      break;
    case WM_DESTROY:
      SendMessageA(WindowHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(savedBigIcon_));
      SendMessageA(WindowHandle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(savedSmallIcon_));
      break;
    case WM_SYSCOMMAND:
      if (wParam == ScrAboutMenuId) {
        if (TScrControl* control = ScrProcess().control) control->ExecuteAboutDialog(this);
      }
      break;
  }
  return result;
}
