#include "ScrForm.h"

#include <string>

#include "ScrControl.h"
#include "ScrDebug.h"
#include "ScrProcess.h"

namespace {

const char* ActionName(TScrAction action) {
  switch (action) {
    case saNone: return "saNone";
    case saClose: return "saClose";
    case saActiveConfig: return "saActiveConfig";
  }
  return "saNone";
}

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

}  // namespace

TScrForm::TScrForm(TComponent* owner) : TScrBase(owner) {}

void TScrForm::CreateParams(TCreateParams& params) {
  TScrBase::CreateParams(params);
  TScrControl* control = ScrProcess().control;
  if (ScrProcess().mode == smSFull && control && !control->IsDebug) params.exStyle |= WS_EX_TOPMOST;
}

bool TScrForm::LiveInput() const {
  TScrControl* control = ScrProcess().control;
  return IsFull() && control && !control->DisableSaverInputBehaviour;
}

LRESULT TScrForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  TScrControl* control = ScrProcess().control;
  bool outermost = !nested_;
  if (outermost) action_ = saNone;

  bool swallowed = false;
  LRESULT result = 0;
  {
    TFlagRestorer nesting(nested_, true);
    switch (message) {
      case WM_CREATE:
        if (!control) {
          ScrDebug(tlErr, "We've got up to creating the saver " + Name() +
                              ", but there's still no ScrControl object. What's up?");
          ScrTerminate();
        }
        GetCursorPos(&reference_);
        startTick_ = GetTickCount();
        break;
      case WM_CLOSE:
        swallowed = IsFull() && !closing_;
        break;
      case WM_SYSCOMMAND:
        swallowed = IsFull() && (wParam & 0xFFF0) == SC_SCREENSAVE;
        break;
      case WM_KEYDOWN:
        if (LiveInput() && !control->IsDebug) {
          if (wParam == VK_CONTROL || wParam == VK_SHIFT || wParam == VK_SCROLL) {
            ScrDebug(tlMsg, "Full control key down: closing...");
          } else {
            ScrDebug(tlMsg, "Full key down: closing...");
          }
          action_ = saClose;
        }
        break;
      case WM_LBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_RBUTTONDOWN:
        if (LiveInput()) {
          ScrDebug(tlMsg, message == WM_RBUTTONDOWN ? "Full right mouse: closing..."
                                                    : "Full mouse down: closing...");
          action_ = saClose;
        }
        break;
      case ScrMessage:
        if (wParam == ScrQueryForm) {
          swallowed = true;
          result = reinterpret_cast<LRESULT>(this);
        }
        break;
    }
    if (!swallowed) result = TScrBase::WndProc(message, wParam, lParam);
  }
  if (message == WM_SYSCOMMAND && IsFull() &&
      ((wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_CLOSE)) {
    result = 0;
  }

  if (action_ != saNone && outermost && control) {
    ScrDebug(tlMsg, std::string("Acting upon ") + ActionName(action_));
    if (action_ == saClose) Close();
    action_ = saNone;
  }
  return result;
}

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
  }
  return true;
}
