#pragma once

#include "ScrMode.h"

class TScrControl;
class TScrForm;
class TScrDialog;

// The framework's process-wide state: one mode, one controller, and the forms the
// controller currently uses in each role.  The controller writes it; it is never freed.
struct TScrProcessState {
  TScrMode mode = smNone;
  TScrControl* control = nullptr;
  TScrForm* preview = nullptr;
  TScrForm* full = nullptr;
  TScrDialog* config = nullptr;
};

// The framework's own access, without checks.
TScrProcessState& ScrProcess();

// Accessors for forms and user code.  Each returns the process-wide value; when it is not
// defined yet (no controller, mode smNone, no such form) it writes a line at tlErr and
// throws the silent abort (EAbort), which ends the current event without a message.
TScrControl* ScrControl();
TScrMode ScrMode();
TScrForm* ScrPreview();
TScrForm* ScrFull();
TScrDialog* ScrConfig();
