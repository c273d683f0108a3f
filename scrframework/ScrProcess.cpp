#include "ScrProcess.h"

#include "Abort.h"
#include "ScrCurrentUserHive.h"
#include "ScrDebug.h"

namespace {

template <class T>
T Defined(T value, bool defined, const char* complaint) {
  if (!defined) {
    ScrDebug(tlErr, complaint);
    throw EAbort();
  }
  return value;
}

}  // namespace

TScrProcessState& ScrProcess() {
  // Process-wide by design: the host starts one saver per process.
  static TScrProcessState state;
  return state;
}

TScrHive& ScrSettingsHive() {
  TScrHive* hive = ScrProcess().hive;
  return hive ? *hive : ScrCurrentUserHive();
}

TScrControl* ScrControl() {
  TScrControl* control = ScrProcess().control;
  return Defined(control, control != nullptr,
                 "Access to ScrControl; but it hasn't yet been defined.");
}

TScrMode ScrMode() {
  TScrMode mode = ScrProcess().mode;
  return Defined(mode, mode != smNone, "Access to ScrMode; but it hasn't yet been defined!");
}

TScrForm* ScrPreview() {
  TScrForm* form = ScrProcess().preview;
  return Defined(form, form != nullptr, "Access to ScrPreview; but it is not defined!");
}

TScrForm* ScrFull() {
  TScrForm* form = ScrProcess().full;
  return Defined(form, form != nullptr, "Access to ScrFull; but it is not defined!");
}

TScrDialog* ScrConfig() {
  TScrDialog* dialog = ScrProcess().config;
  return Defined(dialog, dialog != nullptr, "Access to ScrConfig; but it is not defined!");
}
