#include "ScrExtraSettings.h"

#include "ScrSettings.h"

TScrExtraSettings::~TScrExtraSettings() {
  if (Settings) Settings->ChildDestructionNotify(this);
}
