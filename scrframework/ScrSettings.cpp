#include "ScrSettings.h"

#include "Abort.h"
#include "ScrControl.h"
#include "ScrCurrentUserHive.h"
#include "ScrDebug.h"
#include "ScrExtraSettings.h"
#include "ScrProcess.h"
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

void InitialiseRegistry() { ScrInitialiseSharedValues(ScrCurrentUserHive()); }

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
  ScrReadSharedValues(ScrCurrentUserHive(), ScrControlPolicy(), values_);
  if (extras_) extras_->ReadRegistry();
}

void TScrSettings::WriteRegistry() {
  bool written = ScrWriteSharedValues(ScrCurrentUserHive(), ScrControlPolicy(), values_);
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
