#include "ScrForm.h"

#include <string>

#include "ScrControl.h"
#include "ScrDebug.h"
#include "ScrPasswordRule.h"
#include "ScrProcess.h"
#include "ScrSettings.h"

namespace {

// Restores a flag when the message call that set it ends, exceptions included.
class TFlagRestorer {
public:
  TFlagRestorer(bool& flag, bool value) : flag_(flag), saved_(flag) { flag_ = value; }
  ~TFlagRestorer() { flag_ = saved_; }
  TFlagRestorer(const TFlagRestorer&) = delete;
  TFlagRestorer& operator=(const TFlagRestorer&) = delete;

private:
  bool& flag_;
  bool saved_;
};

bool IsInputMessage(UINT message) {
  switch (message) {
    case WM_ACTIVATE: case WM_ACTIVATEAPP: case WM_NCACTIVATE: case WM_KEYDOWN:
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      return true;
  }
  return false;
}

bool IsWindowsNt() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

TScrForm::TScrForm(TComponent* owner) : TScrBase(owner) {
  // Saver and preview forms fill a screen or a host window and draw in its physical pixels:
  // a graph or a photo is never enlarged by the DPI.
  SetScaled(false);
  ScrReadGeneralRegistry();
}

void TScrForm::CreateParams(TCreateParams& params) {
  TScrBase::CreateParams(params);
  TScrControl* control = ScrProcess().control;
  if (ScrProcess().mode == smSFull && control && !control->IsDebug) params.exStyle |= WS_EX_TOPMOST;
}

void TScrForm::ScrReadGeneralRegistry() {
  TScrDismissalSettings settings = ScrReadDismissalSettings(ScrSettingsHive(), ScrControlPolicy());
  passwordDelay_ = settings.passwordDelay;
  mouseThreshold_ = settings.mouseThreshold;
  mute_ = settings.mute;
  activeConfig_ = settings.activeConfig;
}

void TScrForm::ApplyPolicy() {
  TScrSharedPolicy policy = ScrControlPolicy();
  if (!policy.allowMute) mute_ = true;
  if (!policy.allowActiveConfig) activeConfig_ = false;
}

void TScrForm::NotifyChange(TScrSettings* sender, DWORD changeCode, void* data) {
  if (changeCode == 1 && sender) {
    passwordDelay_ = sender->PasswordDelay();
    mouseThreshold_ = sender->MouseThreshold();
    mute_ = sender->Mute();
    activeConfig_ = !sender->DisableActiveConfig();
    ApplyPolicy();
  } else if (changeCode == 3) {
    ScrReadGeneralRegistry();
  }
  for (TComponent* component : Components()) {
    if (auto* settings = dynamic_cast<TScrSettings*>(component)) {
      settings->NotifyChange(sender, changeCode, data);
    }
  }
}

LRESULT TScrForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  TScrControl* control = ScrProcess().control;
  bool debug = control && control->IsDebug;
  if (message == WM_SETCURSOR && IsFull() && Cursor() == crDefault && !dialogOpen_ && !debug) {
    ::SetCursor(nullptr);
    return TRUE;
  }

  bool outermost = !nested_;
  if (outermost) action_ = saNone;

  bool swallowed = ScrSwallowsMessage(IsFull(), closing_, message, wParam);
  LRESULT result = 0;
  {
    TFlagRestorer nesting(nested_, true);
    if (message == WM_CREATE) {
      if (!control) {
        ScrDebug(tlErr, "We've got up to creating the saver " + Name() +
                            ", but there's still no ScrControl object. What's up?");
        ScrTerminate();
      }
      GetCursorPos(&reference_);
      startTick_ = GetTickCount();
    } else if (IsInputMessage(message) && !closing_) {
      // While the form closes, hiding its window deactivates it; taken as input, that would
      // close the form again from inside its own close.
      TScrInputState state;
      state.full = IsFull();
      state.dialogOpen = dialogOpen_;
      state.control = control != nullptr;
      state.debug = debug;
      state.inputDisabled = control && control->DisableSaverInputBehaviour;
      state.activeConfig = activeConfig_;
      state.mouseThreshold = mouseThreshold_;
      state.reference = {reference_.x, reference_.y};
      POINT cursor = reference_;
      if (message == WM_MOUSEMOVE) GetCursorPos(&cursor);
      TScrInputDecision decision =
          ScrDecideInput(state, message, wParam, lParam, {cursor.x, cursor.y});
      if (decision.action != saNone) {
        ScrDebug(tlMsg, decision.trace);
        action_ = decision.action;
        actionPoint_ = decision.point;
      }
    } else if (message == ScrMessage && wParam == ScrQueryForm) {
      swallowed = true;
      result = reinterpret_cast<LRESULT>(this);
    }
    if (!swallowed) result = TScrBase::WndProc(message, wParam, lParam);
  }

  if (IsInputMessage(message)) ScrAction(message);
  if (message == WM_SYSCOMMAND && IsFull() &&
      ((wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_CLOSE)) {
    result = 0;
  }
  if (action_ != saNone && outermost && control) Act();
  return result;
}

void TScrForm::Act() {
  TScrAction action = action_;
  action_ = saNone;
  ScrDebug(tlMsg, std::string("Acting upon ") + ScrActionName(action));
  if (action == saClose) {
    Close();
  } else if (action == saActiveConfig) {
    TScrControl* control = ScrProcess().control;
    if (!control->CheckPasswordForActiveConfig || !TestRequirePassword() || VerifyPassword()) {
      ActiveConfig();
    }
  }
}

void TScrForm::ScrAction(UINT) {}

void TScrForm::Close() {
  if (!CloseQuery()) return;
  TFlagRestorer closing(closing_, true);
  TScrBase::Close();
}

bool TScrForm::CloseQuery() {
  if (closing_) return true;
  if (!TScrBase::CloseQuery()) return false;
  ScrDebug(tlMsg, "CloseQuery");
  if (!IsFull()) {
    ScrDebug(tlMsg, "Close-query was not full-screen: so, it's fine.");
    return true;
  }
  if (!TestRequirePassword()) {
    ScrDebug(tlMsg, "Close-query doesn't require password: so, it's fine.");
    return true;
  }
  if (VerifyPassword()) {
    ScrDebug(tlMsg, "Close-query checked password, and it was okay.");
    return true;
  }
  ScrDebug(tlMsg, "Close-query checked passwords and it wasn't okay. So, cancel.");
  return false;
}

bool TScrForm::TestRequirePassword() {
  TScrControl* control = ScrProcess().control;
  if (!control) return false;
  // Unsigned subtraction: right across the wrap of the tick count after 49.7 days.
  DWORD elapsed = GetTickCount() - startTick_;
  return ScrTestRequirePassword(control->RequirePassword, IsWindowsNt(), elapsed, passwordDelay_,
                                ScrSettingsHive(),
                                [](const char* line) { ScrDebug(tlMsg, line); });
}

bool TScrForm::VerifyPassword() {
  ScrBeginDialog();
  bool ok = DoVerifyPasswordDialog();
  ScrEndDialog();
  return ok;
}

bool TScrForm::DoVerifyPasswordDialog() {
  TScrControl* control = ScrProcess().control;
  if (!control) return true;
  bool ok = control->VerifyPassword(this);
  if (ok) startTick_ = GetTickCount();
  return ok;
}

void TScrForm::ActiveConfig() {
  ScrBeginDialog();
  DoActiveConfigDialog();
  ScrEndDialog();
}

void TScrForm::DoActiveConfigDialog() {
  if (TScrControl* control = ScrProcess().control) control->ExecuteActiveConfig(this, -1, -1);
}

void TScrForm::ScrBeginDialog() {
  dialogOpen_ = true;
  ShowCursor(TRUE);
  if (OnScrBeginDialog) OnScrBeginDialog(this);
}

void TScrForm::ScrEndDialog() {
  dialogOpen_ = false;
  ShowCursor(FALSE);
  GetCursorPos(&reference_);
  if (OnScrEndDialog) OnScrEndDialog(this);
}
