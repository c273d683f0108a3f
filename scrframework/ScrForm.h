#pragma once

#include <functional>

#include "ScrBase.h"
#include "ScrDismissal.h"
#include "ScrExport.h"

class TScrSettings;

// The framework's message 0x8000 (WM_APP) carries a code in wParam; code 1 sent to a saver
// form's window returns the form object itself.
inline constexpr UINT ScrMessage = WM_APP;
inline constexpr WPARAM ScrQueryForm = 1;

// The base of saver and preview forms.  In full-screen mode (RunningMode smSFull) the form
// stays on top, hides the cursor, ignores WM_CLOSE from outside and applies the dismissal
// rules (ScrDecideInput) to the input of its window: a key, a click, a mouse movement beyond
// the threshold or the loss of activation closes it, after the password when Windows
// requires one; Control, Shift, Scroll Lock and the right button open the active
// configuration instead when that is enabled.  An action is taken once the outermost
// message call of the window returns to the form.
//
// The four dismissal settings (password delay, mouse threshold, mute, active
// configuration) are read from the current user's shared screen-saver values on
// construction and whenever a settings component of the form reports a change.
class SCRKIT_API TScrForm : public TScrBase {
public:
  explicit TScrForm(TComponent* owner);

  // Written by the controller: smSFull, smSPMain or smSPConfig.
  TScrMode RunningMode = smNone;

  // Called when a dialog opens over the saver and after it closed.
  std::function<void(TComponent* sender)> OnScrBeginDialog;
  std::function<void(TComponent* sender)> OnScrEndDialog;

  std::uint32_t PasswordDelay() const { return passwordDelay_; }    // seconds
  std::uint32_t MouseThreshold() const { return mouseThreshold_; }  // pixels
  bool Mute() const { return mute_; }
  bool ActiveConfigEnabled() const { return activeConfig_; }

  // Reads the dismissal settings (ScrReadDismissalSettings with the controller's policy).
  virtual void ScrReadGeneralRegistry();
  // Opens the active configuration dialog over the saver (ScrBeginDialog ... ScrEndDialog).
  virtual void ActiveConfig();
  // A hook for descendants, called after the form's own handling of each input message
  // (activation, key down, mouse move, button down).
  virtual void ScrAction(UINT message);
  // Allows at once while the form closes itself; otherwise asks OnCloseQuery, then, in
  // full-screen mode, the password when TestRequirePassword says so.
  bool CloseQuery() override;
  // Closes the form when CloseQuery allows it (WM_CLOSE from outside is ignored in
  // full-screen mode).
  void Close() override;
  // Whether closing needs the password now (ScrTestRequirePassword with the controller's
  // RequirePassword and the time since the start or the last good password).  False without
  // a controller.
  virtual bool TestRequirePassword();
  // Asks for the password with the cursor shown; true when it was given.
  virtual bool VerifyPassword();
  // The controller's password dialog; a good password starts the delay again.  True
  // without a controller.
  virtual bool DoVerifyPasswordDialog();
  // The controller's active configuration over this form.
  virtual void DoActiveConfigDialog();
  // To be called around anything modal shown over the saver: shows the cursor and stops
  // the dismissal rules until ScrEndDialog, which hides the cursor again and measures mouse
  // movement from where the cursor is then.
  virtual void ScrBeginDialog();
  virtual void ScrEndDialog();
  // From a settings component: change code 1 with a sender takes the sender's dismissal
  // values, code 3 reads the registry again; then every settings component of the form
  // gets the same call.
  virtual void NotifyChange(TScrSettings* sender, DWORD changeCode, void* data);

protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  bool IsFull() const { return RunningMode == smSFull; }
  // The controller's AllowMute and AllowActiveConfig over the values read.
  void ApplyPolicy();
  void Act();

  bool closing_ = false;
  bool dialogOpen_ = false;
  bool nested_ = false;
  POINT reference_ = {};
  DWORD startTick_ = 0;
  std::uint32_t passwordDelay_ = 100;
  std::uint32_t mouseThreshold_ = 10;
  bool mute_ = true;
  bool activeConfig_ = false;
  TScrAction action_ = saNone;
  TScrPoint actionPoint_;
};
