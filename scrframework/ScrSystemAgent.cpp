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

bool SageOk() {
  static const bool running = DetectAgent();  // process-wide: the agent does not come and go
  return running;
}

void ScrNotifyScreenSaverChanged() {
  for (const char* name : AgentLibraries) {
    TDynamicLibrary library(name);
    if (auto notify = library.Entry<TAgentNotify>("Screen_Saver_Changed")) notify();
  }
}
