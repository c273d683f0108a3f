#pragma once

#include "Component.h"
#include "ScrExport.h"

class TScrSettings;

// The base of a saver's own settings (the graph saver's TExtras).  The controller creates one
// for each settings component (TScrControl::PerformExtras) and sets Settings; the settings
// component calls ReadRegistry and WriteRegistry whenever it reads or writes the shared
// values.  Descendants keep their values in a key of their own through TScrRegistry.
class SCRKIT_API TScrExtraSettings : public TComponent {
public:
  explicit TScrExtraSettings(TComponent* owner) : TComponent(owner) {}
  // Tells Settings, which then forgets this object.
  ~TScrExtraSettings() override;

  virtual void ReadRegistry() {}
  virtual void WriteRegistry() {}

  TScrSettings* Settings = nullptr;
};
