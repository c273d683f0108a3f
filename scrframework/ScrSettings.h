#pragma once

#include <windows.h>

#include <functional>

#include "Component.h"
#include "ScrExport.h"
#include "ScrSharedSettings.h"

class TScrExtraSettings;
class TScrGeneral;

// Fills in the missing shared screen-saver values of the current user (see
// ScrInitialiseSharedValues).  The controller runs it when it starts.
SCRKIT_API void InitialiseRegistry();

// What the controller permits (its AllowMute and AllowActiveConfig); everything without a
// controller.
SCRKIT_API TScrSharedPolicy ScrControlPolicy();

// The settings component a saver or configuration form carries: the shared dismissal
// values of the current user, and the saver's own settings (an extra-settings object the
// controller creates for it).  Reading and writing the registry always includes the extra
// settings; a write also tells the System Agent.
//
// A general panel bound to it (BindGeneral) shows every value a setter changes, without
// reporting that as a change of the user.
//
// Construct it only while a controller exists: without one it traces the programming error
// at tlErr and terminates the application.
class SCRKIT_API TScrSettings : public TComponent {
public:
  // Defaults: corners scmNormal, not muted, active configuration allowed, threshold 100
  // pixels, delay 100 s, both indexes 0.  Then, with the controller's extra settings, reads
  // the registry.
  explicit TScrSettings(TComponent* owner);
  // Destroys the extra-settings object and unbinds the panel.
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
  // Takes the panel's values through the setters: its corners, Mute, its pixel threshold as
  // MouseThreshold and its sensitivity as MouseThresholdIndex, its delay as PasswordDelay
  // with PasswordDelayIndex 1 when the delay is above 59 seconds, DisableActiveConfig.
  void CopyFromGeneral(TScrGeneral* panel);
  // The panel that shows this component's values from now on (null: none); a panel bound
  // to another component before is unbound from it.  The panel unbinds itself when it goes.
  void BindGeneral(TScrGeneral* panel);
  TScrGeneral* General() const { return general_; }

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

  // Each setter does nothing when the value does not change; otherwise it stores the value
  // and shows it in the bound panel.  A threshold in pixels shows as ScrSensitivityOfPixels
  // says, an index as ScrSensitivityOfIndex; PasswordDelayIndex only stores.
  void SetcsTopLeft(TScrCornerMode mode) { SetCorner(scTopLeft, mode); }
  void SetcsTopRight(TScrCornerMode mode) { SetCorner(scTopRight, mode); }
  void SetcsBottomRight(TScrCornerMode mode) { SetCorner(scBottomRight, mode); }
  void SetcsBottomLeft(TScrCornerMode mode) { SetCorner(scBottomLeft, mode); }
  void SetCorner(TScrCorner corner, TScrCornerMode mode);
  void SetMute(bool mute);
  void SetMouseThreshold(DWORD pixels);
  void SetMouseThresholdIndex(DWORD index);
  void SetPasswordDelay(DWORD seconds);
  void SetPasswordDelayIndex(DWORD index);
  void SetDisableActiveConfig(bool disable);

  std::function<void(TScrSettings* sender, DWORD changeCode, void* data)> OnChange;

private:
  // Every value through its setter.
  void Assign(const TScrSharedValues& values);
  // Runs show on the bound panel, if any, with the panel's updating-from-settings flag set.
  void ShowInGeneral(const std::function<void(TScrGeneral&)>& show);

  TScrExtraSettings* extras_ = nullptr;  // owned (see the destructor)
  TScrSharedValues values_;
  TScrGeneral* general_ = nullptr;
};
