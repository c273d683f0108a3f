#pragma once

#include <string_view>

#include "ScrTrace.h"

// Writes one line to the process's trace log.  The first line of a run configures the log
// from the controller's TraceLevel and LogFile (TScrControl::SetupDebugging) when a
// controller exists; before that, lines go to the debugger output.
void ScrDebug(TTraceLevel level, std::string_view text);

// The process's trace log, for the controller's SetupDebugging.
TScrTrace& ScrTraceLog();
