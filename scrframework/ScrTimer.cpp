#include "ScrTimer.h"

#include <process.h>

#include <cstdint>
#include <string>

#include "Application.h"
#include "ScrDebug.h"
#include "ScrForm.h"
#include "TimerPacing.h"

namespace {

// The worker's stack, as the timer asks for it (the system rounds it up).
constexpr unsigned WorkerStackSize = 4096;
// How long the miser waits for its thread at shutdown, and Start for a new worker's queue.
constexpr DWORD ThreadWaitMs = 5000;

std::string Number(const void* pointer) {
  return std::to_string(reinterpret_cast<std::uintptr_t>(pointer));
}

class TCriticalSection {
public:
  TCriticalSection() { InitializeCriticalSection(&section_); }
  ~TCriticalSection() { DeleteCriticalSection(&section_); }
  TCriticalSection(const TCriticalSection&) = delete;
  TCriticalSection& operator=(const TCriticalSection&) = delete;
  void Enter() { EnterCriticalSection(&section_); }
  void Leave() { LeaveCriticalSection(&section_); }

private:
  CRITICAL_SECTION section_;
};

}  // namespace

// The thread record, shared by the window thread and one worker.  Everything but `running`
// is written before the worker starts and only read afterwards; `running` is read and written
// inside `lock`.  The window thread lets go of the record when it stops the worker; the
// worker frees it when it ends.
struct TScrTimerThread {
  explicit TScrTimerThread(HWND timerWindow) : window(timerWindow) {}

  bool Running() {
    lock.Enter();
    const bool value = running;
    lock.Leave();
    return value;
  }
  void SetRunning(bool value) {
    lock.Enter();
    running = value;
    lock.Leave();
  }

  const HWND window;
  TCriticalSection lock;
  bool running = true;
  TKernelHandle wake{CreateEventA(nullptr, TRUE, FALSE, nullptr)};        // manual reset
  TKernelHandle queueReady{CreateEventA(nullptr, TRUE, FALSE, nullptr)};  // the worker can be posted to
  DWORD threadId = 0;
  TKernelHandle thread;  // a duplicate of the worker's handle, for this record's lifetime
};

namespace {

unsigned __stdcall WorkerMain(void* parameter) {
  std::unique_ptr<TScrTimerThread> data(static_cast<TScrTimerThread*>(parameter));
  MSG message;
  // The queue exists from the first message call on: only then can Stop post the quit.
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  SetEvent(data->queueReady.Get());
  const std::string number = Number(data.get());
  ScrDebug(tlMsg, "Thread func " + number + ": starting. +++");

  bool hadEnough = false;
  while (true) {
    bool got;
    if (hadEnough) {
      ScrDebug(tlMsg, "Thread " + number + " has had enough and is waiting to quit.");
      got = GetMessageA(&message, nullptr, 0, 0) != -1;  // 0 for WM_QUIT, which is kept
    } else {
      got = PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != 0;
    }
    if (got) {
      if (message.message == WM_QUIT) {
        ScrDebug(tlMsg, "Thread " + number + " has got a quit message.");
        break;
      }
      ScrDebug(tlMsg, "Thread " + number + " message: msg=" + std::to_string(message.message) +
                          " wParam=" + std::to_string(message.wParam) +
                          " lParam=" + std::to_string(message.lParam));
    }
    if (hadEnough) continue;
    if (!data->Running()) {
      WaitMessage();  // the quit follows the stop at once
      continue;
    }
    const DWORD t0 = GetTickCount();
    // An alert during the handler is already answered by the interval read after it.
    ResetEvent(data->wake.Get());
    const auto answer = static_cast<std::int32_t>(SendMessageA(
        data->window, ScrMessage, ScrTickRequest, reinterpret_cast<LPARAM>(data.get())));
    const DWORD t1 = GetTickCount();
    if (answer == ScrTickHadEnough) {
      hadEnough = true;
      PostMessageA(data->window, ScrMessage, SCR_HADENOUGH, reinterpret_cast<LPARAM>(data.get()));
      continue;
    }
    if (answer == ScrTickAgain) continue;
    const DWORD wait = TimerTickWait(t0, t1, static_cast<std::uint32_t>(answer));
    if (wait == 0) {
      Sleep(0);
    } else if (WaitForSingleObject(data->wake.Get(), wait) == WAIT_OBJECT_0) {
      ResetEvent(data->wake.Get());
    }
  }
  data.reset();
  ScrDebug(tlMsg, "Thread " + number + " coming to an end. Deleted thread-data. +++");
  return 0;
}

}  // namespace

TScrTimer::TScrTimer(TComponent* owner) : TComponent(owner) {
  window_ = std::make_unique<TMessageWindow>([this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return TimerWndProc(window, message, wParam, lParam);
  });
  enabled_ = true;
  interval_ = 10;
  UpdateTimer();
}

TScrTimer::~TScrTimer() {
  enabled_ = false;
  UpdateTimer();
  window_.reset();
}

void TScrTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  UpdateTimer();
}

void TScrTimer::SetInterval(DWORD interval) {
  if (interval == interval_) return;
  interval_ = interval;
  // A running worker would tick without a pause at 0, and one stopped by 0 would never
  // come back: those two changes start or stop it.
  if (interval_ == 0 || !thread_) {
    UpdateTimer();
  } else {
    Alert();
  }
}

void TScrTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  UpdateTimer();
}

void TScrTimer::UpdateTimer() {
  if (!window_) return;
  Stop();
  if (TimerTicks(enabled_, interval_, bool(onTimer_))) Start();
}

void TScrTimer::Timer() {
  if (onTimer_) onTimer_(this);
}

void TScrTimer::Start() {
  if (!window_) {
    ScrDebug(tlMsg, "ScrTimer " + Name() + " start: cannot start, because no hwnd.");
    return;
  }
  if (thread_) {
    ScrDebug(tlMsg, "ScrTimer " + Name() + " start: cannot start, because a timer already there.");
    return;
  }
  ScrDebugSetUpNow();  // before the worker writes its first line
  // Misers of workers that have ended have nothing left to guard.
  for (TComponent* component : Application().Components()) {
    auto* miser = dynamic_cast<TThreadMiser*>(component);
    if (miser && !miser->Timer() && miser->ThreadEnded()) delete miser;
  }

  auto data = std::make_unique<TScrTimerThread>(window_->Handle());
  unsigned id = 0;
  TKernelHandle thread(reinterpret_cast<HANDLE>(
      _beginthreadex(nullptr, WorkerStackSize, &WorkerMain, data.get(), CREATE_SUSPENDED, &id)));
  if (!thread) {
    ScrDebug(tlErr, "ScrTimer " + Name() + " start: cannot create the thread (error " +
                        std::to_string(GetLastError()) + ")");
    return;
  }
  data->threadId = id;
  HANDLE duplicate = nullptr;
  DuplicateHandle(GetCurrentProcess(), thread.Get(), GetCurrentProcess(), &duplicate, 0, TRUE,
                  DUPLICATE_SAME_ACCESS);
  data->thread.Reset(duplicate);
  SetThreadPriority(thread.Get(), TimerPriorityBelow(GetThreadPriority(GetCurrentThread())));
  HANDLE ready = data->queueReady.Get();
  thread_ = data.release();  // the worker frees it
  ResumeThread(thread.Get());
  WaitForSingleObject(ready, ThreadWaitMs);
  miser_ = new TThreadMiser(&Application(), thread.Release(), this);  // owned by the application
  ScrDebug(tlMsg, "ScrTimer " + Name() + " " + Number(duplicate) + " has been created! ***");
}

void TScrTimer::LetGo(TScrTimerThread* thread) {
  thread->SetRunning(false);
  SetEvent(thread->wake.Get());                        // out of its wait now
  PostThreadMessageA(thread->threadId, WM_QUIT, 0, 0);  // from here on the worker may free it
  if (miser_) miser_->ForgetTimer();
  miser_ = nullptr;
}

void TScrTimer::Stop() {
  if (!window_) {
    ScrDebug(tlErr, "ScrTimer " + Name() + " stop: but hwnd is null!");
    return;
  }
  if (!thread_) return;
  ScrDebug(tlMsg, "ScrTimer " + Name() + " stop: destroying timer...");
  TScrTimerThread* thread = thread_;
  thread_ = nullptr;
  const std::string handle = Number(thread->thread.Get());
  LetGo(thread);
  ScrDebug(tlMsg, "ScrTimer " + Name() + " stop: we have left thread " + handle +
                      " to its own devices. ***");
}

void TScrTimer::Alert() {
  if (!window_) {
    ScrDebug(tlErr, "ScrTimer " + Name() + " alert: but cannot alert hwnd, since no hwnd!");
    return;
  }
  SendMessageA(window_->Handle(), ScrMessage, ScrTickAlert, 0);
}

LRESULT TScrTimer::TimerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = DefWindowProcA(window, message, wParam, lParam);
  if (message != ScrMessage) return result;
  // Requests carry their worker's record: one from a worker stopped meanwhile is not this
  // timer's any more.
  const bool current = thread_ && lParam == reinterpret_cast<LPARAM>(thread_);
  switch (wParam) {
    case SCR_HADENOUGH:
      ScrDebug(tlMsg, "Timer " + Name() + " SCR_HADENOUGH: closing down thread...");
      if (current) {
        TScrTimerThread* thread = thread_;
        thread_ = nullptr;
        LetGo(thread);
      } else {
        ScrDebug(tlErr, "Timer " + Name() + " SCR_HADENOUGH: strangely, the timer had disappeared!");
      }
      break;
    case ScrTickRequest:
      if (current) Timer();
      result = static_cast<LRESULT>(interval_);
      break;
    case ScrTickAlert:
      if (thread_) SetEvent(thread_->wake.Get());
      break;
  }
  return result;
}

TThreadMiser::TThreadMiser(TComponent* owner, HANDLE thread, TScrTimer* timer)
    : TComponent(owner), thread_(thread), timer_(timer) {}

TThreadMiser::~TThreadMiser() {
  const std::string number = Number(this);
  if (timer_) {
    ScrDebug(tlMsg, "ThreadMiser" + number + ": deleting the ScrTimer first.");
    TScrTimer* timer = timer_;
    timer_ = nullptr;
    delete timer;  // takes it out of its owner's list; stops the worker
  }
  if (!thread_) return;
  // The worker may be sending this thread a tick request: answer it while waiting.
  const DWORD start = GetTickCount();
  while (true) {
    const DWORD spent = GetTickCount() - start;
    HANDLE handle = thread_.Get();
    const DWORD result = spent >= ThreadWaitMs ? WAIT_TIMEOUT
                                               : MsgWaitForMultipleObjects(1, &handle, FALSE,
                                                                           ThreadWaitMs - spent,
                                                                           QS_SENDMESSAGE);
    if (result == WAIT_OBJECT_0) break;
    if (result == WAIT_OBJECT_0 + 1) {
      MSG message;
      PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
      continue;
    }
    ScrDebug(tlErr, "ThreadMiser" + number + ": Not all threads have terminated: " + Number(handle));
    break;
  }
}

bool TThreadMiser::ThreadEnded() const {
  return !thread_ || WaitForSingleObject(thread_.Get(), 0) == WAIT_OBJECT_0;
}
