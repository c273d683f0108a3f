#include "Timer.h"

namespace {
constexpr UINT_PTR TimerId = 1;
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  window_ = std::make_unique<TMessageWindow>(
      [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return Handle(window, message, wParam, lParam);
      });
  Update();
}

TTimer::~TTimer() {
  if (running_) KillTimer(window_->Handle(), TimerId);
}

void TTimer::SetInterval(unsigned milliseconds) {
  interval_ = milliseconds < 1 ? 1 : milliseconds;
  Update();
}

void TTimer::SetEnabled(bool value) {
  enabled_ = value;
  Update();
}

void TTimer::Update() {
  if (running_) KillTimer(window_->Handle(), TimerId);
  running_ = enabled_ && SetTimer(window_->Handle(), TimerId, interval_, nullptr) != 0;
}

LRESULT TTimer::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_TIMER || wParam != TimerId) return DefWindowProcA(window, message, wParam, lParam);
  if (ticking_ || !OnTimer) return 0;
  ticking_ = true;
  struct TReset {
    bool& flag;
    ~TReset() { flag = false; }
  } reset{ticking_};
  OnTimer(this);
  return 0;
}
