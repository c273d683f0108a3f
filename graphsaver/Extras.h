#pragma once

#include "SaverSettings.h"
#include "ScrExtraSettings.h"

// The graph saver's own settings as the framework's extra settings: the controller creates
// one for every settings component, which reads and writes them together with the shared
// values.  The values are the fields of TSaverSettings.
class TExtras : public TScrExtraSettings, public TSaverSettings {
public:
  explicit TExtras(TComponent* owner) : TScrExtraSettings(owner) {}

  // The seven values from the current user's SaverSettingsKey (SaverReadSettings), the
  // default file from the sibling's Location under the local machine (SaverDefaultFile).
  void ReadRegistry() override;
  // The seven values into the current user's SaverSettingsKey, in their order.
  void WriteRegistry() override;
};

// The graph saver's settings of a settings component.  A component holding no graph saver
// settings is a programming error: traced at tlErr, the application terminated and the
// silent abort thrown.
class TScrSettings;
TExtras& ExtrasOf(TScrSettings& settings);

// The sibling's Location as stored under the local machine (its key created when missing,
// as the sibling's installer would find it), whole; empty when there is none or it is not a
// string.
std::string ExtrasSiblingLocation();
