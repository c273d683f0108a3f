#include "ScrDebug.h"

#include <windows.h>

#include "ScrControl.h"
#include "ScrProcess.h"

namespace {

void ToDebugger(const char* text) { OutputDebugStringA(text); }

}  // namespace

TScrTrace& ScrTraceLog() {
  // Process-wide by design: one trace log serves every part of the framework.
  static TScrTrace trace(&ToDebugger);
  return trace;
}

void ScrDebugSetUpNow() {
  if (ScrTraceLog().IsSetUp()) return;
  if (TScrControl* control = ScrProcess().control) control->SetupDebugging();
}

void ScrDebug(TTraceLevel level, std::string_view text) {
  ScrDebugSetUpNow();
  ScrTraceLog().Write(level, text);
}
