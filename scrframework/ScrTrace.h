#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

// Threshold and level of a trace line.  A line is kept when its level is at or above the
// threshold; the threshold tlNone drops everything, errors included.
enum TTraceLevel : std::uint8_t {
  tlAll = 0,
  tlMsg = 1,  // progress messages
  tlUsr = 2,
  tlErr = 3,  // programming errors
  tlNone = 4,
};

// The target name that means the debugger output instead of a file.
inline constexpr std::string_view ScrDebuggerTarget = "OutputDebugString";

// The trace log: one line per call, to the debugger output or appended to a text file, with
// no time stamp and no level mark.  ScrDebug (ScrDebug.h) writes to the one process-wide
// instance; tests make their own.
//
// Lines and file names have no length limit: a line is written whole however long it is
// (the full command line of a run can be long), so nothing is cut and nothing overflows.
// A file that cannot be opened loses the line silently: tracing never stops the saver.
//
// The timer threads write lines too: SetUp and Write hold a lock, so a line is written
// whole and the log is emptied once, whichever thread comes first.
class TScrTrace {
public:
  // Receives each line meant for the debugger output (without a line end).
  using TDebuggerSink = void (*)(const char* text);

  explicit TScrTrace(TDebuggerSink debugger) : debugger_(debugger) {}

  bool IsSetUp() const { return setUp_.load(); }

  // Configures the trace once the controller knows its properties.  target is
  // ScrDebuggerTarget or a file path (relative to the current directory when not absolute).
  // startNewLog empties the file before the first line (ScrCommandLineStartsNewLog decides
  // it); otherwise lines are appended to what the file holds.  Then writes "(starting log)"
  // when a new log starts and "****** NEW RUN STARTED **** " + commandLine, both at tlMsg.
  void SetUp(TTraceLevel threshold, std::string target, bool startNewLog,
             std::string_view commandLine);

  // Writes one line when level passes the threshold.  Before SetUp the threshold is tlAll
  // and the target the debugger output.
  void Write(TTraceLevel level, std::string_view text);

private:
  void WriteLocked(TTraceLevel level, std::string_view text);

  TDebuggerSink debugger_;
  std::mutex lock_;
  std::atomic<bool> setUp_{false};
  TTraceLevel threshold_ = tlAll;
  std::string target_;
  bool fileStarted_ = false;
};
