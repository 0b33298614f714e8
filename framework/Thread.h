#pragma once
// Worker threads and the hand-over of work to the main (GUI) thread.

#include "framework/System.h"

#include <atomic>
#include <exception>
#include <functional>

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// A thread running Execute. C++ cannot start a thread from a base
// constructor safely (the derived part does not exist yet), so derived
// classes pass CreateSuspended = true and call Start() at the end of their own
// constructor, or leave that to their owner. A derived class whose Execute
// uses its own members calls TerminateAndWaitFor() in its destructor: the
// base destructor does the same, but only after those members are gone.
class TThread : public TObject {
 public:
  explicit TThread(bool CreateSuspended);
  ~TThread() override;
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  void Start();
  void Resume() { Start(); }
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  bool Finished() const { return FFinished; }
  bool Suspended() const { return FSuspended; }

  // Waits for the end of Execute and returns the thread's exit code. On the
  // main thread it keeps running Synchronize and Queue calls (and sent
  // messages) meanwhile, so a worker blocked in a hand-over cannot deadlock it.
  DWORD WaitFor();

  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool value) { FFreeOnTerminate = value; }
  TThreadPriority Priority() const;
  void SetPriority(TThreadPriority value);
  HANDLE Handle() const { return FHandle.get(); }
  DWORD ThreadID() const { return FThreadID; }
  int ReturnValue() const { return FReturnValue; }
  // What escaped Execute, if anything.
  std::exception_ptr FatalException() const { return FFatalException; }

  // Runs on the main thread, through Synchronize, after Execute has ended.
  TNotifyEvent OnTerminate;

  // Runs fn on the main thread and blocks until it has run; an exception it
  // raises is raised again here. On the main thread fn runs at once.
  void Synchronize(const std::function<void()>& fn);
  // Hands fn to the main thread without waiting; calls run in order.
  void Queue(const std::function<void()>& fn);

 protected:
  virtual void Execute() = 0;
  virtual void DoTerminate();
  // Terminate, start a never-started thread so it can end, and wait for its
  // end (serving hand-overs on the main thread). Does nothing on the thread
  // itself, which is how a FreeOnTerminate thread deletes itself.
  void TerminateAndWaitFor();
  void SetReturnValue(int value) { FReturnValue = value; }

 private:
  static unsigned __stdcall ThreadProc(void* self);

  TOwnedHandle FHandle;
  DWORD FThreadID = 0;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  std::atomic<bool> FSuspended{false};
  std::atomic<bool> FFreeOnTerminate{false};
  int FReturnValue = 0;
  std::exception_ptr FFatalException;
};

// Runs every call handed to the main thread so far, in order; waits up to
// timeoutMs for one to arrive first. Returns whether it ran any. Raises
// EThread when called on another thread than the main one. An exception from
// a queued call leaves here (the calls behind it stay queued); one from a
// synchronised call goes back to its worker.
bool CheckSynchronize(DWORD timeoutMs = 0);

// Called whenever a call is handed to the main thread. The application sets
// it to post a message to its window so its message loop runs
// CheckSynchronize; when empty, nothing is posted.
extern std::function<void()> WakeMainThread;

// The main thread's id, set by InitMainThread.
extern DWORD MainThreadID;
void InitMainThread();
