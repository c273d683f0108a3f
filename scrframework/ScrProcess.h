#pragma once

#include "ScrExport.h"
#include "ScrMode.h"

class TScrControl;
class TScrForm;
class TScrDialog;
class TScrHive;

// The framework's process-wide state: one mode, one controller, and the forms the
// controller currently uses in each role.  The controller writes it; it is never freed.
struct TScrProcessState {
  TScrMode mode = smNone;
  TScrControl* control = nullptr;
  TScrForm* preview = nullptr;
  TScrForm* full = nullptr;
  TScrDialog* config = nullptr;
  // The registry the settings code reads and writes; null for the current user's hive.
  // Tests put an in-memory hive here.
  TScrHive* hive = nullptr;
};

// The framework's own access, without checks.
TScrProcessState& ScrProcess();

// The registry of the settings: TScrProcessState::hive, or the current user's hive.
TScrHive& ScrSettingsHive();

// Accessors for forms and user code.  Each returns the process-wide value; when it is not
// defined yet (no controller, mode smNone, no such form) it writes a line at tlErr and
// throws the silent abort (EAbort), which ends the current event without a message.
SCRKIT_API TScrControl* ScrControl();
SCRKIT_API TScrMode ScrMode();
SCRKIT_API TScrForm* ScrPreview();
SCRKIT_API TScrForm* ScrFull();
SCRKIT_API TScrDialog* ScrConfig();
