#pragma once

#include "Component.h"

class TScrSettings;

// The base of a saver's own settings, created by the controller for a settings component
// (TScrControl::PerformExtras) and told which settings component it belongs to.
class TScrExtraSettings : public TComponent {
public:
  explicit TScrExtraSettings(TComponent* owner) : TComponent(owner) {}

  TScrSettings* Settings = nullptr;
};
