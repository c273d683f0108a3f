#pragma once

#include <string_view>

#include "ScrExport.h"
#include "ScrTrace.h"

// Writes one line to the process's trace log.  The first line of a run configures the log
// from the controller's TraceLevel and LogFile (TScrControl::SetupDebugging) when a
// controller exists; before that, lines go to the debugger output.
SCRKIT_API void ScrDebug(TTraceLevel level, std::string_view text);

// Configures the log from the controller now, when a controller exists and the log is not set
// up yet.  Called before a second thread may write its first line (TScrTimer), so that only
// one thread ever sets the log up.
void ScrDebugSetUpNow();

// The process's trace log, for the controller's SetupDebugging.
TScrTrace& ScrTraceLog();
