#include "ScrTrace.h"

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

void TScrTrace::SetUp(TTraceLevel threshold, std::string target, bool startNewLog,
                      std::string_view commandLine) {
  std::lock_guard guard(lock_);
  target_ = std::move(target);
  threshold_ = threshold;
  fileStarted_ = !startNewLog;
  setUp_ = true;
  if (startNewLog) WriteLocked(tlMsg, "(starting log)");
  WriteLocked(tlMsg, std::string("****** NEW RUN STARTED **** ").append(commandLine));
}

void TScrTrace::Write(TTraceLevel level, std::string_view text) {
  std::lock_guard guard(lock_);
  WriteLocked(level, text);
}

void TScrTrace::WriteLocked(TTraceLevel level, std::string_view text) {
  if (threshold_ == tlNone || level < threshold_) return;
  std::string_view target = setUp_ ? std::string_view(target_) : ScrDebuggerTarget;
  bool toDebugger = target == ScrDebuggerTarget;

  if (!fileStarted_) {
    // Opening for writing and closing again empties the log of an earlier run.
    if (!toDebugger) FilePtr(std::fopen(target_.c_str(), "wt"));
    fileStarted_ = true;
  }

  std::string line(text);
  if (toDebugger) {
    debugger_(line.c_str());
    return;
  }
  // Open, write, close for every line: a line written before a crash is on disk, and the
  // timer threads' lines never share a buffer.
  FilePtr file(std::fopen(target_.c_str(), "at"));
  if (!file) return;
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), file.get());
}
