#include "ScrSystemAgent.h"

#include <windows.h>

#include "DynamicLibrary.h"

namespace {

constexpr const char* AgentLibraries[] = {"Sage.DLL", "ScrHots.dll"};

using TAgentDetect = int(WINAPI*)();
using TAgentNotify = void(WINAPI*)();

bool DetectAgent() {
  bool running = false;
  for (const char* name : AgentLibraries) {
    TDynamicLibrary library(name);
    if (auto detect = library.Entry<TAgentDetect>("System_Agent_Detect")) {
      running = detect() != 0 || running;
    }
  }
  return running;
}

}  // namespace

namespace {

// Process-wide: whether the agent runs is a fact about the machine.  Asked on first use,
// and again only when a corner is changed while it was missing.
bool& AgentRunning() {
  static bool running = DetectAgent();
  return running;
}

}  // namespace

bool SageOk() { return AgentRunning(); }

bool ScrDetectSystemAgent() { return AgentRunning() = DetectAgent(); }

void ScrNotifyScreenSaverChanged() {
  for (const char* name : AgentLibraries) {
    TDynamicLibrary library(name);
    if (auto notify = library.Entry<TAgentNotify>("Screen_Saver_Changed")) notify();
  }
}
