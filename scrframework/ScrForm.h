#pragma once

#include "ScrBase.h"

// The framework's message 0x8000 (WM_APP) carries a code in wParam; code 1 sent to a saver
// form's window returns the form object itself.
inline constexpr UINT ScrMessage = WM_APP;
inline constexpr WPARAM ScrQueryForm = 1;

// What a saver form does after the input message that asked for it.
enum TScrAction { saNone, saClose, saActiveConfig };

// The base of saver and preview forms.  In full-screen mode (RunningMode smSFull) the form
// stays on top, ignores WM_CLOSE from outside and closes on a key or a mouse click.
class TScrForm : public TScrBase {
public:
  explicit TScrForm(TComponent* owner);

  // Written by the controller: smSFull, smSPMain or smSPConfig.
  TScrMode RunningMode = smNone;

  // Closes the form through the dismissal rules (WM_CLOSE from outside is ignored in
  // full-screen mode).
  void Close() override;
  // Allows at once while the form closes itself; otherwise asks OnCloseQuery and traces.
  bool CloseQuery() override;

protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  bool IsFull() const { return RunningMode == smSFull; }
  bool LiveInput() const;

  bool closing_ = false;
  bool nested_ = false;
  TScrAction action_ = saNone;
  POINT reference_ = {};
  DWORD startTick_ = 0;
};
