#include "ScrGeneral.h"

#include <optional>

#include "CheckBox.h"
#include "ComboBox.h"
#include "Edit.h"
#include "GroupBox.h"
#include "Label.h"
#include "Layout.h"
#include "ScrDismissOptions.h"
#include "ScrGeneralValues.h"
#include "ScrMonitor.h"
#include "ScrPasswordDelay.h"
#include "ScrProcess.h"
#include "ScrSensitivity.h"
#include "ScrSettings.h"
#include "ScrSystemAgent.h"
#include "UpDown.h"

namespace {

// Sets a flag for the lifetime of the object and restores it after, exceptions included.
class TFlagSetter {
public:
  explicit TFlagSetter(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~TFlagSetter() { flag_ = saved_; }
  TFlagSetter(const TFlagSetter&) = delete;
  TFlagSetter& operator=(const TFlagSetter&) = delete;

private:
  bool& flag_;
  bool saved_;
};

void WrappedLabel(TComponent& component) {
  auto& label = static_cast<TLabel&>(component);
  label.SetWordWrap(true);
  label.SetAutoSize(false);
}

bool WindowsNt() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// The lists' items, in the order of TMouseThreshold and of the delay units.
void SensitivityItems(TComponent& component) {
  for (const char* item : {"High", "Normal", "Low", "Ignore mouse movement"})
    static_cast<TComboBox&>(component).AddItem(item);
}

void UnitItems(TComponent& component) {
  for (const char* item : {"seconds", "minutes"}) static_cast<TComboBox&>(component).AddItem(item);
}

// The largest number the wait's arrows step to; typing allows more.
constexpr int WaitArrowLimit = 9999;

}  // namespace

TScrGeneral::TScrGeneral(TComponent* owner)
    : TCustomPanel(owner), controlsOwner_(owner ? *owner : static_cast<TComponent&>(*this)) {
  SetBevelOuter(bvNone);
  SetBevelInner(bvNone);
  SetBounds(Left(), Top(), 357, 357);
  // Left, top, width, height in pixels of the parent's client area.
  ToolkitBuildLayout(controlsOwner_, *this, {
      // Four lines high, down to the monitor: the text takes four lines in the dialog font.
      {"GenTxtCornersOk", ComponentClass<TLabel>, "", 21, 8, 282, 56,
       "You can display the screen saver immediately, or prevent it from appearing at all, "
       "by moving the mouse pointer to a corner on the screen. Click the corners you want to "
       "use.", WrappedLabel},
      {"GenTxtCornersBad", ComponentClass<TLabel>, "", 21, 21, 282, 43,
       "The system agent must be active in order for you to display the screen saver "
       "immediately by moving the mouse pointer to a corner on the screen.", WrappedLabel},
      {"GenCornersMonitor", ComponentClass<TScrMonitor>, "", 80, 64, 184, 170, nullptr},
      {"GenGrpOptions", ComponentClass<TGroupBox>, "", 16, 248, 321, 78,
       "Options for dismissing the screen saver"},
      {"GenTxtSensitivity", ComponentClass<TLabel>, "GenGrpOptions", 8, 24, 80, 13,
       "&Mouse sensitivity"},
      // At 104 rather than 100, the right edge kept: at 150 % the label's text reaches 150.
      {"GenCmbSensitivity", ComponentClass<TComboBox>, "GenGrpOptions", 104, 20, 201, 21, nullptr,
       SensitivityItems},
      {"GenTxtWait", ComponentClass<TLabel>, "GenGrpOptions", 8, 52, 22, 13, "&Wait"},
      {"GenEdtWait", ComponentClass<TEdit>, "GenGrpOptions", 40, 48, 29, 21, nullptr},
      {"GenUpdWait", ComponentClass<TUpDown>, "GenGrpOptions", 0, 0, 0, 0, nullptr},
      {"GenCmbWait", ComponentClass<TComboBox>, "GenGrpOptions", 100, 48, 65, 21, nullptr, UnitItems},
      // At 168 rather than 172: at 150 % the text is wider than 1.5 times its width at 100 %
      // and needs the room to stay inside the group.
      {"GenTxtWaitTwo", ComponentClass<TLabel>, "GenGrpOptions", 168, 52, 130, 13,
       "before requiring a password"},
      {"GenChkMute", ComponentClass<TCheckBox>, "", 20, 335, 125, 17, "M&ute"},
      {"GenChkActive", ComponentClass<TCheckBox>, "", 172, 335, 177, 17,
       "&Disable active-configuration"},
  });
  // The arrows take their width from the edit they join: the edit gets it first, so that it
  // keeps the width of the table for the number, and the arrows fill the gap before the unit
  // list.
  auto& upDown = ToolkitFind<TUpDown>(controlsOwner_, "GenUpdWait");
  auto& wait = ToolkitFind<TEdit>(controlsOwner_, "GenEdtWait");
  wait.SetWidth(wait.Width() + upDown.Width());
  upDown.SetAssociate(&wait);
  upDown.SetRange(0, WaitArrowLimit);

  auto itemChange = [this](TComponent* sender) { ItemChange(sender); };
  Monitor()->OnClickCorner = [this](TScrMonitor* monitor, TScrCorner corner, TScrCornerMode mode) {
    MonitorClickCorner(monitor, corner, mode);
  };
  ToolkitFind<TEdit>(controlsOwner_, "GenEdtWait").OnChange = itemChange;
  ToolkitFind<TComboBox>(controlsOwner_, "GenCmbSensitivity").OnChange = itemChange;
  ToolkitFind<TComboBox>(controlsOwner_, "GenCmbWait").OnChange = itemChange;
  ToolkitFind<TCheckBox>(controlsOwner_, "GenChkMute").OnClick = itemChange;
  ToolkitFind<TCheckBox>(controlsOwner_, "GenChkActive").OnClick = itemChange;

  // Adjusted first as well: a wait that shows 0 then keeps the stored delay to the second.
  AdjustDismissOptions();
  ReadRegistry();
  AdjustDismissOptions();
}

TScrGeneral::~TScrGeneral() {
  if (boundSettings_) boundSettings_->BindGeneral(nullptr);
  // The controls belong to the owner and may outlive the panel.
  if (auto* monitor = Monitor()) monitor->OnClickCorner = nullptr;
  if (auto* edit = Child<TEdit>("GenEdtWait")) edit->OnChange = nullptr;
  for (const char* name : {"GenCmbSensitivity", "GenCmbWait"})
    if (auto* list = Child<TComboBox>(name)) list->OnChange = nullptr;
  for (const char* name : {"GenChkMute", "GenChkActive"})
    if (auto* box = Child<TCheckBox>(name)) box->OnClick = nullptr;
}

template <class T>
T* TScrGeneral::Child(const char* name) const {
  for (TComponent* component : controlsOwner_.Components())
    if (component->Name() == name) return dynamic_cast<T*>(component);
  return nullptr;
}

TScrMonitor* TScrGeneral::Monitor() const { return Child<TScrMonitor>("GenCornersMonitor"); }

void TScrGeneral::CreateWnd() {
  TCustomPanel::CreateWnd();
  ReadRegistry();
  AdjustDismissOptions();
}

TScrCornerMode TScrGeneral::Corner(TScrCorner corner) const {
  TScrMonitor* monitor = Monitor();
  return monitor ? monitor->GetCornerState(corner) : scmNormal;
}

void TScrGeneral::SetCorner(TScrCorner corner, TScrCornerMode mode) {
  if (TScrMonitor* monitor = Monitor()) monitor->SetCornerState(corner, mode);
}

bool TScrGeneral::Mute() const {
  auto* box = Child<TCheckBox>("GenChkMute");
  return box && box->Checked();
}

void TScrGeneral::SetMute(bool mute) {
  TFlagSetter updating(updating_);
  if (auto* box = Child<TCheckBox>("GenChkMute")) box->SetChecked(mute);
}

TMouseThreshold TScrGeneral::MouseThreshold() const {
  auto* list = Child<TComboBox>("GenCmbSensitivity");
  return list ? ScrSensitivityOfIndex(list->ItemIndex()) : mtNormal;
}

void TScrGeneral::SetMouseThreshold(TMouseThreshold sensitivity) {
  TFlagSetter updating(updating_);
  if (auto* list = Child<TComboBox>("GenCmbSensitivity")) list->SetItemIndex(sensitivity);
}

std::uint32_t TScrGeneral::MousePixThreshold() const { return ScrSensitivityPixels(MouseThreshold()); }

std::uint32_t TScrGeneral::PasswordDelay() const {
  if (delayLocked_) return keptDelay_;
  auto* edit = Child<TEdit>("GenEdtWait");
  auto* unit = Child<TComboBox>("GenCmbWait");
  std::optional<int> unitIndex;
  if (unit && unit->ItemIndex() >= 0) unitIndex = unit->ItemIndex();
  return ScrReadDelay(edit ? std::optional<std::string>(edit->Text()) : std::nullopt, unitIndex);
}

void TScrGeneral::SetPasswordDelay(std::uint32_t seconds) {
  if (delayLocked_) {
    keptDelay_ = seconds;
    return;
  }
  ShowDelay(seconds);
}

void TScrGeneral::ShowDelay(std::uint32_t seconds) {
  TFlagSetter updating(updating_);
  const TScrDelayDisplay shown = ScrShowDelay(seconds);
  // The arrows write their position into the edit: both must show the number.
  if (auto* upDown = Child<TUpDown>("GenUpdWait")) {
    upDown->SetPosition(static_cast<int>(std::min<std::uint32_t>(shown.number, WaitArrowLimit)));
  }
  if (auto* edit = Child<TEdit>("GenEdtWait")) edit->SetText(std::to_string(shown.number));
  if (auto* unit = Child<TComboBox>("GenCmbWait")) unit->SetItemIndex(shown.unit);
}

bool TScrGeneral::DisableActiveConfig() const {
  auto* box = Child<TCheckBox>("GenChkActive");
  return box && box->Checked();
}

void TScrGeneral::SetDisableActiveConfig(bool disable) {
  TFlagSetter updating(updating_);
  if (auto* box = Child<TCheckBox>("GenChkActive")) box->SetChecked(disable);
}

void TScrGeneral::SetAllowActiveConfig(bool allow) {
  allowActiveConfig_ = allow;
  AdjustDismissOptions();
}

void TScrGeneral::SetAllowMute(bool allow) {
  allowMute_ = allow;
  AdjustDismissOptions();
}

void TScrGeneral::SetRequirePassword(TRequirePassword policy) {
  requirePassword_ = policy;
  AdjustDismissOptions();
}

void TScrGeneral::ReadRegistry() {
  const TScrGeneralValues values = ScrReadGeneralValues(ScrSettingsHive());
  SetPasswordDelay(values.passwordDelay);
  SetMouseThreshold(values.sensitivity);
  for (int corner = scTopLeft; corner <= scBottomLeft; ++corner) {
    SetCorner(static_cast<TScrCorner>(corner), values.corners[static_cast<size_t>(corner)]);
  }
  SetMute(values.mute);
  SetDisableActiveConfig(values.disableActiveConfig);
}

void TScrGeneral::WriteRegistry() {
  TScrGeneralValues values;
  values.passwordDelay = PasswordDelay();
  values.sensitivity = MouseThreshold();
  for (int corner = scTopLeft; corner <= scBottomLeft; ++corner) {
    values.corners[static_cast<size_t>(corner)] = Corner(static_cast<TScrCorner>(corner));
  }
  values.mute = Mute();
  values.disableActiveConfig = DisableActiveConfig();
  if (ScrWriteGeneralValues(ScrSettingsHive(), values)) {
    ScrNotifyScreenSaverChanged();
  }
}

void TScrGeneral::AdjustDismissOptions() {
  TFlagSetter updating(updating_);
  const TScrDismissOptions options = ScrDismissOptions(
      {SageOk(), allowMute_, allowActiveConfig_, WindowsNt(), requirePassword_});
  ToolkitFind<TLabel>(controlsOwner_, "GenTxtCornersOk").SetVisible(options.cornersOkVisible);
  ToolkitFind<TLabel>(controlsOwner_, "GenTxtCornersBad").SetVisible(options.cornersBadVisible);
  if (auto* box = Child<TCheckBox>("GenChkMute")) box->SetVisible(options.muteVisible);
  if (auto* box = Child<TCheckBox>("GenChkActive")) box->SetVisible(options.activeVisible);
  if (auto* list = Child<TComboBox>("GenCmbSensitivity")) list->SetEnabled(options.sensitivityEnabled);

  if (options.waitShowsZero != delayLocked_) {
    if (options.waitShowsZero) {
      keptDelay_ = PasswordDelay();
      delayLocked_ = true;
      ShowDelay(0);
    } else {
      delayLocked_ = false;
      ShowDelay(keptDelay_);
    }
  }
  for (const char* name : {"GenTxtWait", "GenTxtWaitTwo"}) {
    if (auto* label = Child<TLabel>(name)) label->SetVisible(options.waitVisible);
  }
  for (const char* name : {"GenEdtWait", "GenUpdWait", "GenCmbWait"}) {
    if (auto* control = Child<TWinControl>(name)) {
      control->SetVisible(options.waitVisible);
      control->SetEnabled(options.waitEnabled);
    }
  }
}

void TScrGeneral::Change() {
  if (updating_ || updatingFromSettings_) return;
  if (OnChange) OnChange(this);
}

void TScrGeneral::ItemChange(TComponent*) { Change(); }

void TScrGeneral::MonitorClickCorner(TScrMonitor*, TScrCorner, TScrCornerMode) { Change(); }
