#pragma once

#include <cstdint>
#include <string>

#include "Panel.h"
#include "ScrExport.h"
#include "ScrPasswordRule.h"
#include "ScrSharedSettings.h"

class TScrMonitor;
class TScrSettings;

// The panel of settings every saver of the framework shares, 357 x 357 pixels: the hot
// corners on a monitor picture, the mouse sensitivity, the wait before a password is asked,
// mute and active configuration.  It lays out its thirteen controls itself (ScrGeneral.cpp
// holds the table) as components of its owner, where it finds them again by name, so one
// owner holds one such panel.  The controls hold the values; the properties read and set
// them.
//
// The panel reads the shared registry values when it is made and again whenever its window
// is created, and shows the controls that apply (AdjustDismissOptions).  A change by the user
// raises OnChange; changes the panel makes itself, or a bound settings component makes
// (TScrSettings::BindGeneral), raise nothing.
class SCRKIT_API TScrGeneral : public TCustomPanel {
public:
  explicit TScrGeneral(TComponent* owner);
  // Unbinds the settings component and leaves the controls without handlers.
  ~TScrGeneral() override;

  // The corners, kept in the monitor picture GenCornersMonitor.
  TScrCornerMode csTopLeft() const { return Corner(scTopLeft); }
  TScrCornerMode csTopRight() const { return Corner(scTopRight); }
  TScrCornerMode csBottomRight() const { return Corner(scBottomRight); }
  TScrCornerMode csBottomLeft() const { return Corner(scBottomLeft); }
  void SetcsTopLeft(TScrCornerMode mode) { SetCorner(scTopLeft, mode); }
  void SetcsTopRight(TScrCornerMode mode) { SetCorner(scTopRight, mode); }
  void SetcsBottomRight(TScrCornerMode mode) { SetCorner(scBottomRight, mode); }
  void SetcsBottomLeft(TScrCornerMode mode) { SetCorner(scBottomLeft, mode); }
  TScrCornerMode Corner(TScrCorner corner) const;
  void SetCorner(TScrCorner corner, TScrCornerMode mode);

  // The mute check box.
  bool Mute() const;
  void SetMute(bool mute);
  // The sensitivity list (any selection but 0, 2 and 3 reads as mtNormal) and its pixels.
  TMouseThreshold MouseThreshold() const;
  void SetMouseThreshold(TMouseThreshold sensitivity);
  std::uint32_t MousePixThreshold() const;
  // Seconds, shown in the wait edit and its unit list (ScrShowDelay, ScrReadDelay).  While
  // the wait shows 0 (Windows NT, rpAlways) the panel keeps the delay it was given and
  // reports that, so that saving does not replace the user's delay by the 0 on display.
  std::uint32_t PasswordDelay() const;
  void SetPasswordDelay(std::uint32_t seconds);
  // The active-configuration check box ("Disable active-configuration").
  bool DisableActiveConfig() const;
  void SetDisableActiveConfig(bool disable);

  // The controller's policy, which decides the controls shown; each change adjusts them.
  bool AllowActiveConfig() const { return allowActiveConfig_; }  // default false
  void SetAllowActiveConfig(bool allow);
  bool AllowMute() const { return allowMute_; }  // default true
  void SetAllowMute(bool allow);
  TRequirePassword RequirePassword() const { return requirePassword_; }
  void SetRequirePassword(TRequirePassword policy);

  TNotifyEvent OnChange;

  // The shared values into the controls (ScrReadGeneralValues: defaults when the key cannot
  // be opened).
  virtual void ReadRegistry();
  // The controls into all seven shared values (ScrWriteGeneralValues; AllowMute and
  // AllowActiveConfig only show or hide the boxes), then the System Agent is told.
  virtual void WriteRegistry();
  // Shows, hides, enables the controls for the System Agent, the platform and the policy
  // (ScrDismissOptions).
  virtual void AdjustDismissOptions();
  // Raises OnChange(this) unless the panel or its settings are changing the controls.
  virtual void Change();
  // The handlers of the controls and of the monitor picture; both call Change.
  virtual void ItemChange(TComponent* sender);
  virtual void MonitorClickCorner(TScrMonitor* monitor, TScrCorner corner, TScrCornerMode mode);

  // The settings component showing its values here, or null.
  TScrSettings* BoundSettings() const { return boundSettings_; }

protected:
  // Fills the lists, reads the registry and adjusts the controls.
  void CreateWnd() override;

private:
  friend class TScrSettings;  // binds itself, and sets updatingFromSettings_ while it shows

  // One of the panel's controls by name among the owner's components; null when it is
  // missing or of another kind.
  template <class T>
  T* Child(const char* name) const;
  TScrMonitor* Monitor() const;
  void ShowDelay(std::uint32_t seconds);

  TComponent& controlsOwner_;
  bool allowActiveConfig_ = false;
  bool allowMute_ = true;
  TRequirePassword requirePassword_ = rpNormal;
  bool updating_ = false;              // the panel changes its controls
  bool updatingFromSettings_ = false;  // the bound settings change them
  bool delayLocked_ = false;           // the wait shows 0 seconds
  std::uint32_t keptDelay_ = 100;      // the delay while the wait shows 0
  TScrSettings* boundSettings_ = nullptr;
};
