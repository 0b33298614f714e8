#include "framework/Thread.h"

#include <process.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

std::function<void()> WakeMainThread;
DWORD MainThreadID = 0;

void InitMainThread() { MainThreadID = GetCurrentThreadId(); }

// ---- Calls handed to the main thread ---------------------------------------

namespace {

struct TSyncCall {
  std::function<void()> Fn;
  const TThread* Owner;
  bool Waiting;  // Synchronize: the worker sleeps until Done
  bool Done = false;
  std::exception_ptr Error;
};

std::mutex gSyncLock;
std::condition_variable gSyncDone;
std::deque<std::shared_ptr<TSyncCall>> gSyncQueue;

// Signalled while calls are queued, so a waiting main thread wakes for them.
HANDLE SyncEvent() {
  static const TOwnedHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  return event.get();
}

void CheckMainThreadKnown() {
  if (MainThreadID == 0) throw EThread(L"The main thread is not known: InitMainThread was not called");
}

void Enqueue(const std::shared_ptr<TSyncCall>& call) {
  {
    std::lock_guard<std::mutex> lock(gSyncLock);
    gSyncQueue.push_back(call);
    SetEvent(SyncEvent());
  }
  if (WakeMainThread) WakeMainThread();
}

std::shared_ptr<TSyncCall> Dequeue() {
  std::lock_guard<std::mutex> lock(gSyncLock);
  if (gSyncQueue.empty()) return nullptr;
  auto call = gSyncQueue.front();
  gSyncQueue.pop_front();
  if (gSyncQueue.empty()) ResetEvent(SyncEvent());
  return call;
}

// Queued calls of a thread that is going away must not run any more.
void RemoveQueuedCalls(const TThread* owner) {
  std::lock_guard<std::mutex> lock(gSyncLock);
  std::erase_if(gSyncQueue, [owner](const auto& call) { return !call->Waiting && call->Owner == owner; });
  if (gSyncQueue.empty()) ResetEvent(SyncEvent());
}

}  // namespace

bool CheckSynchronize(DWORD timeoutMs) {
  if (GetCurrentThreadId() != MainThreadID)
    throw EThread(L"CheckSynchronize called from thread " + IntToStr(GetCurrentThreadId()) +
                  L", which is not the main thread");
  if (timeoutMs > 0) WaitForSingleObject(SyncEvent(), timeoutMs);

  // Only the calls present now: workers that keep handing over must not keep
  // the main thread here for ever. Taking them one at a time keeps the order
  // when a call re-enters CheckSynchronize (a message loop inside a handler).
  size_t pending;
  {
    std::lock_guard<std::mutex> lock(gSyncLock);
    pending = gSyncQueue.size();
  }
  bool ran = false;
  for (; pending > 0; --pending) {
    const auto call = Dequeue();
    if (!call) break;
    ran = true;
    if (!call->Waiting) {
      call->Fn();
      continue;
    }
    try {
      call->Fn();
    } catch (...) {
      call->Error = std::current_exception();
    }
    {
      std::lock_guard<std::mutex> lock(gSyncLock);
      call->Done = true;
    }
    gSyncDone.notify_all();
  }
  return ran;
}

// ---- TThread ----------------------------------------------------------------

TThread::TThread(bool CreateSuspended) {
  unsigned id = 0;
  const auto h = reinterpret_cast<HANDLE>(
      _beginthreadex(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id));
  if (!h) throw EThread(L"Thread creation error: " + SysErrorMessage(GetLastError()));
  FHandle.Reset(h);
  FThreadID = id;
  FSuspended = true;
  if (!CreateSuspended) Start();
}

TThread::~TThread() {
  TerminateAndWaitFor();
  RemoveQueuedCalls(this);
}

void TThread::TerminateAndWaitFor() {
  // From inside its own thread this is the FreeOnTerminate path: Execute has
  // ended already. Otherwise wait even when Finished, since OnTerminate may
  // still be running on the worker.
  if (GetCurrentThreadId() == FThreadID || !FHandle) return;
  Terminate();
  Start();  // a never-started thread runs only its end (Execute is skipped)
  for (;;) {
    try {
      WaitFor();
      return;
    } catch (...) {
      // A queued call failed while we served it; that belongs to the main
      // loop, and we still have to wait.
    }
  }
}

unsigned __stdcall TThread::ThreadProc(void* self) {
  auto* thread = static_cast<TThread*>(self);
  try {
    if (!thread->FTerminated) thread->Execute();
  } catch (...) {
    thread->FFatalException = std::current_exception();
  }
  const bool freeThread = thread->FFreeOnTerminate;
  const auto result = unsigned(thread->FReturnValue);
  thread->FFinished = true;
  try {
    thread->DoTerminate();
  } catch (...) {
    if (!thread->FFatalException) thread->FFatalException = std::current_exception();
  }
  if (freeThread) delete thread;
  return result;
}

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TThread::Start() {
  if (FSuspended.exchange(false)) ResumeThread(FHandle.get());
}

DWORD TThread::WaitFor() {
  if (GetCurrentThreadId() == FThreadID) throw EThread(L"A thread cannot wait for itself");
  const HANDLE thread = FHandle.get();
  if (GetCurrentThreadId() == MainThreadID) {
    const HANDLE handles[2] = {thread, SyncEvent()};
    for (;;) {
      const DWORD r = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
      if (r == WAIT_OBJECT_0) break;
      if (r == WAIT_OBJECT_0 + 1) {
        CheckSynchronize();
      } else if (r == WAIT_OBJECT_0 + 2) {
        MSG msg;  // delivers messages sent from other threads
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
      } else if (r == WAIT_FAILED) {
        RaiseLastOSError();
      }
    }
  } else if (WaitForSingleObject(thread, INFINITE) == WAIT_FAILED) {
    RaiseLastOSError();
  }
  DWORD code = 0;
  GetExitCodeThread(thread, &code);
  return code;
}

namespace {
const int kPriorities[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,       THREAD_PRIORITY_BELOW_NORMAL,
                           THREAD_PRIORITY_NORMAL,       THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                           THREAD_PRIORITY_TIME_CRITICAL};
}

TThreadPriority TThread::Priority() const {
  const int p = GetThreadPriority(FHandle.get());
  for (int i = 0; i <= tpTimeCritical; ++i)
    if (kPriorities[i] == p) return TThreadPriority(i);
  return tpNormal;
}

void TThread::SetPriority(TThreadPriority value) {
  if (!SetThreadPriority(FHandle.get(), kPriorities[value])) RaiseLastOSError();
}

void TThread::Synchronize(const std::function<void()>& fn) {
  if (GetCurrentThreadId() == MainThreadID) {
    fn();
    return;
  }
  CheckMainThreadKnown();
  auto call = std::make_shared<TSyncCall>(TSyncCall{fn, this, true});
  Enqueue(call);
  {
    std::unique_lock<std::mutex> lock(gSyncLock);
    gSyncDone.wait(lock, [&] { return call->Done; });
  }
  if (call->Error) std::rethrow_exception(call->Error);
}

void TThread::Queue(const std::function<void()>& fn) {
  if (GetCurrentThreadId() == MainThreadID) {
    fn();
    return;
  }
  CheckMainThreadKnown();
  Enqueue(std::make_shared<TSyncCall>(TSyncCall{fn, this, false}));
}
