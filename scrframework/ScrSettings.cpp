#include "ScrSettings.h"

#include "Abort.h"
#include "ScrControl.h"
#include "ScrDebug.h"
#include "ScrExtraSettings.h"
#include "ScrGeneral.h"
#include "ScrProcess.h"
#include "ScrSensitivity.h"
#include "ScrSystemAgent.h"

namespace {

std::string OwnerName(const TComponent& component) {
  return component.Owner() ? component.Owner()->Name() : std::string();
}

}  // namespace

TScrSharedPolicy ScrControlPolicy() {
  TScrControl* control = ScrProcess().control;
  if (!control) return {};
  return {control->AllowMute, control->AllowActiveConfig};
}

void InitialiseRegistry() { ScrInitialiseSharedValues(ScrSettingsHive()); }

TScrSettings::TScrSettings(TComponent* owner) : TComponent(owner) {
  TScrControl* control = ScrProcess().control;
  if (!control) {
    ScrDebug(tlErr, "The settings component " + Name() + " on " + OwnerName(*this) +
                        " has been constructed, but no ScrContol exists yet! What's up?");
    ScrTerminate();
    return;
  }
  extras_ = control->CreateExtras(this);
  ReadRegistry();
}

TScrSettings::~TScrSettings() {
  BindGeneral(nullptr);
  TScrExtraSettings* extras = extras_;
  extras_ = nullptr;  // its destructor reports back; nothing left to forget then
  delete extras;      // takes it out of its owner's list (the toolkit's ownership rule)
}

void TScrSettings::Loaded() {
  if (!extras_) {
    TScrControl* control = ScrProcess().control;
    if (control && !control->AutoExecute && !control->Started()) {
      ScrDebug(tlErr, "The settings component " + Name() + " on form " + OwnerName(*this) +
                          " has been loaded; but ScrControl hasn't started executing! You "
                          "shouldn't auto-create any config or saver forms if you don't use "
                          "the AutoExecute mode.");
    }
    if (control) {
      extras_ = control->CreateExtras(this);
    } else {
      ScrDebug(tlErr, "The settings component " + Name() + " on form " + OwnerName(*this) +
                          " has been loaded; but no ScrControl exists yet! What's up?");
      ScrTerminate();
    }
  }
  ReadRegistry();
}

void TScrSettings::ReadRegistry() {
  TScrSharedValues read = values_;
  if (ScrReadSharedValues(ScrSettingsHive(), ScrControlPolicy(), read)) Assign(read);
  if (extras_) extras_->ReadRegistry();
}

void TScrSettings::Assign(const TScrSharedValues& values) {
  for (int corner = scTopLeft; corner <= scBottomLeft; ++corner) {
    SetCorner(static_cast<TScrCorner>(corner), values.corners[static_cast<size_t>(corner)]);
  }
  SetMute(values.mute);
  SetMouseThreshold(values.mouseThreshold);
  SetMouseThresholdIndex(values.mouseThresholdIndex);
  SetPasswordDelay(values.passwordDelay);
  SetPasswordDelayIndex(values.passwordDelayIndex);
  SetDisableActiveConfig(values.disableActiveConfig);
}

void TScrSettings::WriteRegistry() {
  bool written = ScrWriteSharedValues(ScrSettingsHive(), ScrControlPolicy(), values_);
  if (extras_) extras_->WriteRegistry();
  if (written) ScrNotifyScreenSaverChanged();
}

TScrExtraSettings* TScrSettings::GetExtras() {
  if (!extras_) {
    ScrDebug(tlErr, "You have tried to access the extra-settings component of " + Name() +
                        " on form " + OwnerName(*this) + " but they haven't been created!");
    ScrTerminate();
    throw EAbort();
  }
  return extras_;
}

void TScrSettings::NotifyChange(TScrSettings* sender, DWORD changeCode, void* data) {
  if (changeCode == 1 && sender) {
    SetcsTopLeft(sender->csTopLeft());
    SetcsTopRight(sender->csTopRight());
    SetcsBottomRight(sender->csBottomRight());
    SetcsBottomLeft(sender->csBottomLeft());
    SetMute(sender->Mute());
    SetMouseThreshold(sender->MouseThreshold());
    SetPasswordDelay(sender->PasswordDelay());
    SetDisableActiveConfig(sender->DisableActiveConfig());
  } else if (changeCode == 3) {
    ReadRegistry();
  }
  if (OnChange) OnChange(sender, changeCode, data);
}

void TScrSettings::ChildDestructionNotify(TScrExtraSettings* extras) {
  if (extras == extras_) extras_ = nullptr;
}

bool TScrSettings::SageOk() const { return ::SageOk(); }

void TScrSettings::BindGeneral(TScrGeneral* panel) {
  if (general_ == panel) return;
  if (general_) general_->boundSettings_ = nullptr;
  if (panel && panel->boundSettings_) panel->boundSettings_->general_ = nullptr;
  general_ = panel;
  if (general_) general_->boundSettings_ = this;
}

void TScrSettings::CopyFromGeneral(TScrGeneral* panel) {
  for (int corner = scTopLeft; corner <= scBottomLeft; ++corner) {
    SetCorner(static_cast<TScrCorner>(corner), panel->Corner(static_cast<TScrCorner>(corner)));
  }
  SetMute(panel->Mute());
  SetMouseThreshold(panel->MousePixThreshold());
  SetMouseThresholdIndex(panel->MouseThreshold());
  const DWORD delay = panel->PasswordDelay();
  SetPasswordDelay(delay);
  SetPasswordDelayIndex(delay > 59 ? 1 : 0);
  SetDisableActiveConfig(panel->DisableActiveConfig());
}

void TScrSettings::ShowInGeneral(const std::function<void(TScrGeneral&)>& show) {
  if (!general_) return;
  // The panel reports no change of the user meanwhile.
  const bool saved = general_->updatingFromSettings_;
  general_->updatingFromSettings_ = true;
  try {
    show(*general_);
  } catch (...) {
    general_->updatingFromSettings_ = saved;
    throw;
  }
  general_->updatingFromSettings_ = saved;
}

void TScrSettings::SetCorner(TScrCorner corner, TScrCornerMode mode) {
  if (values_.corners[corner] == mode) return;
  values_.corners[corner] = mode;
  ShowInGeneral([&](TScrGeneral& panel) { panel.SetCorner(corner, mode); });
}

void TScrSettings::SetMute(bool mute) {
  if (values_.mute == mute) return;
  values_.mute = mute;
  ShowInGeneral([&](TScrGeneral& panel) { panel.SetMute(mute); });
}

void TScrSettings::SetMouseThreshold(DWORD pixels) {
  if (values_.mouseThreshold == pixels) return;
  values_.mouseThreshold = pixels;
  ShowInGeneral([&](TScrGeneral& panel) { panel.SetMouseThreshold(ScrSensitivityOfPixels(pixels)); });
}

void TScrSettings::SetMouseThresholdIndex(DWORD index) {
  if (values_.mouseThresholdIndex == index) return;
  values_.mouseThresholdIndex = index;
  ShowInGeneral([&](TScrGeneral& panel) { panel.SetMouseThreshold(ScrSensitivityOfIndex(index)); });
}

void TScrSettings::SetPasswordDelay(DWORD seconds) {
  if (values_.passwordDelay == seconds) return;
  values_.passwordDelay = seconds;
  ShowInGeneral([&](TScrGeneral& panel) { panel.SetPasswordDelay(seconds); });
}

void TScrSettings::SetPasswordDelayIndex(DWORD index) { values_.passwordDelayIndex = index; }

void TScrSettings::SetDisableActiveConfig(bool disable) {
  if (values_.disableActiveConfig == disable) return;
  values_.disableActiveConfig = disable;
  ShowInGeneral([&](TScrGeneral& panel) { panel.SetDisableActiveConfig(disable); });
}
