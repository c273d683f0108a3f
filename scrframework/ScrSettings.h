#pragma once

#include <windows.h>

#include <functional>

#include "Component.h"
#include "ScrSharedSettings.h"

class TScrExtraSettings;

// Fills in the missing shared screen-saver values of the current user (see
// ScrInitialiseSharedValues).  The controller runs it when it starts.
void InitialiseRegistry();

// What the controller permits (its AllowMute and AllowActiveConfig); everything without a
// controller.
TScrSharedPolicy ScrControlPolicy();

// The settings component a saver or configuration form carries: the shared dismissal
// values of the current user, and the saver's own settings (an extra-settings object the
// controller creates for it).  Reading and writing the registry always includes the extra
// settings; a write also tells the System Agent.
//
// Construct it only while a controller exists: without one it traces the programming error
// at tlErr and terminates the application.
class TScrSettings : public TComponent {
public:
  // Defaults: corners scmNormal, not muted, active configuration allowed, threshold 100
  // pixels, delay 100 s, both indexes 0.  Then, with the controller's extra settings, reads
  // the registry.
  explicit TScrSettings(TComponent* owner);
  // Destroys the extra-settings object.
  ~TScrSettings() override;

  // For a form that sets design values after construction: reads the registry again over
  // them (obtaining the extra settings first when there are none yet).
  virtual void Loaded();
  // Reads each value that can be read (see ScrReadSharedValues; the controller's AllowMute
  // and AllowActiveConfig apply), then the extra settings.  A missing key keeps the values.
  virtual void ReadRegistry();
  // Writes every value the controller allows, then the extra settings, then tells the System
  // Agent.  When the key cannot be opened only the extra settings are written.
  virtual void WriteRegistry();
  // The extra-settings object.  None is a programming error: traced at tlErr, the
  // application terminated and the silent abort (EAbort) thrown.
  TScrExtraSettings* GetExtras();
  // Change code 1 with a sender copies the sender's corners, Mute, MouseThreshold,
  // PasswordDelay and DisableActiveConfig; code 3 reads the registry again.  Then OnChange.
  virtual void NotifyChange(TScrSettings* sender, DWORD changeCode, void* data);
  // Called by the extra-settings object being destroyed; forgets it.
  void ChildDestructionNotify(TScrExtraSettings* extras);

  TScrCornerMode csTopLeft() const { return values_.corners[scTopLeft]; }
  TScrCornerMode csTopRight() const { return values_.corners[scTopRight]; }
  TScrCornerMode csBottomRight() const { return values_.corners[scBottomRight]; }
  TScrCornerMode csBottomLeft() const { return values_.corners[scBottomLeft]; }
  bool Mute() const { return values_.mute; }
  DWORD MouseThreshold() const { return values_.mouseThreshold; }            // pixels
  DWORD MouseThresholdIndex() const { return values_.mouseThresholdIndex; }  // TMouseThreshold
  DWORD PasswordDelay() const { return values_.passwordDelay; }              // seconds
  DWORD PasswordDelayIndex() const { return values_.passwordDelayIndex; }    // 0 s, 1 min
  bool DisableActiveConfig() const { return values_.disableActiveConfig; }
  // Whether the System Agent runs (::SageOk).
  bool SageOk() const;

  void SetcsTopLeft(TScrCornerMode mode) { values_.corners[scTopLeft] = mode; }
  void SetcsTopRight(TScrCornerMode mode) { values_.corners[scTopRight] = mode; }
  void SetcsBottomRight(TScrCornerMode mode) { values_.corners[scBottomRight] = mode; }
  void SetcsBottomLeft(TScrCornerMode mode) { values_.corners[scBottomLeft] = mode; }
  void SetMute(bool mute) { values_.mute = mute; }
  void SetMouseThreshold(DWORD pixels) { values_.mouseThreshold = pixels; }
  void SetMouseThresholdIndex(DWORD index) { values_.mouseThresholdIndex = index; }
  void SetPasswordDelay(DWORD seconds) { values_.passwordDelay = seconds; }
  void SetPasswordDelayIndex(DWORD index) { values_.passwordDelayIndex = index; }
  void SetDisableActiveConfig(bool disable) { values_.disableActiveConfig = disable; }

  std::function<void(TScrSettings* sender, DWORD changeCode, void* data)> OnChange;

private:
  TScrExtraSettings* extras_ = nullptr;  // owned (see the destructor)
  TScrSharedValues values_;
};
