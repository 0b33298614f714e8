#include "framework/Thread.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace {

// A thread whose Execute is a lambda; it stops itself before its members go.
class TLambdaThread : public TThread {
 public:
  using TBody = std::function<void(TLambdaThread&)>;
  explicit TLambdaThread(TBody body, std::atomic<bool>* destroyed = nullptr)
      : TThread(true), FBody(std::move(body)), FDestroyed(destroyed) {}
  ~TLambdaThread() override {
    TerminateAndWaitFor();
    if (FDestroyed) *FDestroyed = true;
  }
  using TThread::SetReturnValue;

 protected:
  void Execute() override { FBody(*this); }

 private:
  TBody FBody;
  std::atomic<bool>* FDestroyed;
};

class ThreadTest : public testing::Test {
 protected:
  void SetUp() override {
    InitMainThread();
    while (CheckSynchronize()) {
    }
  }
  void TearDown() override { WakeMainThread = nullptr; }
};

TEST_F(ThreadTest, SynchronizeRunsOnTheMainThreadInEachWorkersOrder) {
  const int kWorkers = 4, kCalls = 50;
  std::vector<std::pair<int, int>> ran;  // (worker, call), touched on the main thread only
  std::atomic<int> wrongThread{0}, notYetRun{0}, done{0};
  std::vector<std::unique_ptr<TLambdaThread>> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.push_back(std::make_unique<TLambdaThread>([&, w](TLambdaThread& self) {
      for (int c = 0; c < kCalls; ++c) {
        bool hasRun = false;
        self.Synchronize([&] {
          if (GetCurrentThreadId() != MainThreadID) ++wrongThread;
          ran.emplace_back(w, c);
          hasRun = true;
        });
        if (!hasRun) ++notYetRun;  // Synchronize must not return before the call ran
      }
      ++done;
    }));
  }
  for (auto& worker : workers) worker->Start();
  ASSERT_TRUE(WaitUntil([&] { return done == kWorkers; }));
  for (auto& worker : workers) worker->WaitFor();

  EXPECT_EQ(wrongThread, 0);
  EXPECT_EQ(notYetRun, 0);
  ASSERT_EQ(ran.size(), size_t(kWorkers * kCalls));
  std::vector<int> next(kWorkers, 0);
  for (const auto& [w, c] : ran) EXPECT_EQ(c, next[size_t(w)]++) << "worker " << w;
}

TEST_F(ThreadTest, ExceptionInSynchronizeIsRaisedInTheWorker) {
  std::wstring caught;
  TLambdaThread worker([&](TLambdaThread& self) {
    try {
      self.Synchronize([] { throw EConvertError(L"bad pulse"); });
    } catch (const EConvertError& e) {
      caught = e.Message();
    }
    // Uncaught, it ends Execute and is kept.
    self.Synchronize([] { throw EReadError(L"modem status"); });
    caught += L" not reached";
  });
  worker.Start();
  ASSERT_TRUE(WaitUntil([&] { return worker.Finished(); }));
  worker.WaitFor();
  EXPECT_EQ(caught, L"bad pulse");
  ASSERT_TRUE(worker.FatalException());
  try {
    std::rethrow_exception(worker.FatalException());
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), L"modem status");
  }
}

TEST_F(ThreadTest, WaitForOnTheMainThreadServesAWorkerBlockedInSynchronize) {
  std::atomic<bool> handedOver{false};
  WakeMainThread = [&] { handedOver = true; };
  bool handlerRan = false;
  TLambdaThread worker([&](TLambdaThread& self) {
    self.Synchronize([&] { handlerRan = GetCurrentThreadId() == MainThreadID; });
    self.SetReturnValue(7);
  });
  worker.Start();
  // Not WaitUntil: that would serve the call. Once queued, the worker sits in Synchronize.
  while (!handedOver) Sleep(1);
  EXPECT_EQ(worker.WaitFor(), 7u);  // would deadlock if WaitFor did not serve it
  EXPECT_TRUE(handlerRan);
}

TEST_F(ThreadTest, DestroyingDuringAHandOverLetsTheHandlerFinish) {
  std::atomic<bool> inHandOver{false}, destroyed{false};
  std::vector<std::string> log;
  auto worker = std::make_unique<TLambdaThread>(
      [&](TLambdaThread& self) {
        while (!self.Terminated()) {
          inHandOver = true;
          self.Synchronize([&] { log.push_back("handler"); });
          Sleep(1);
        }
      },
      &destroyed);
  worker->Start();
  while (!inHandOver) Sleep(1);  // not WaitUntil: the destructor is to serve the hand-over
  worker.reset();
  log.push_back("destroyed");
  EXPECT_TRUE(destroyed);
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log.back(), "destroyed");
  EXPECT_EQ(log.front(), "handler");
}

TEST_F(ThreadTest, QueuedCallsRunInOrderWithoutWaiting) {
  std::vector<int> ran;
  TLambdaThread worker([&](TLambdaThread& self) {
    for (int i = 0; i < 100; ++i) self.Queue([&ran, i] { ran.push_back(i); });
  });
  worker.Start();
  worker.WaitFor();  // also serves them
  while (CheckSynchronize()) {
  }
  ASSERT_EQ(ran.size(), 100u);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(ran[size_t(i)], i);
  EXPECT_FALSE(CheckSynchronize());
}

TEST_F(ThreadTest, AFailingQueuedCallLeavesTheRestQueued) {
  std::vector<int> ran;
  TLambdaThread worker([&](TLambdaThread& self) {
    self.Queue([&] { ran.push_back(1); });
    self.Queue([] { throw EInvalidOperation(L"queued"); });
    self.Queue([&] { ran.push_back(3); });
  });
  worker.Start();
  WaitForSingleObject(worker.Handle(), INFINITE);
  EXPECT_THROW(CheckSynchronize(), EInvalidOperation);
  EXPECT_EQ(ran, std::vector<int>{1});
  EXPECT_TRUE(CheckSynchronize());
  EXPECT_EQ(ran, (std::vector<int>{1, 3}));
}

TEST_F(ThreadTest, WakeMainThreadIsCalledForEveryHandOver) {
  std::atomic<int> wakes{0};
  WakeMainThread = [&] { ++wakes; };
  TLambdaThread worker([&](TLambdaThread& self) {
    self.Queue([] {});
    self.Synchronize([] {});
  });
  worker.Start();
  worker.WaitFor();
  EXPECT_EQ(wakes, 2);
}

TEST_F(ThreadTest, OnTerminateRunsOnTheMainThreadAfterExecute) {
  std::vector<std::string> log;
  TLambdaThread worker([&](TLambdaThread&) { log.push_back("execute"); });
  worker.OnTerminate = [&](TObject* sender) {
    EXPECT_EQ(sender, &worker);
    EXPECT_EQ(GetCurrentThreadId(), MainThreadID);
    EXPECT_TRUE(worker.Finished());
    log.push_back("terminate");
  };
  worker.Start();
  worker.WaitFor();
  EXPECT_EQ(log, (std::vector<std::string>{"execute", "terminate"}));
}

TEST_F(ThreadTest, DestroyingARunningThreadTerminatesAndWaits) {
  std::atomic<bool> running{false}, stopped{false};
  auto worker = std::make_unique<TLambdaThread>([&](TLambdaThread& self) {
    running = true;
    while (!self.Terminated()) Sleep(1);
    stopped = true;
  });
  worker->Start();
  // Destroyed before it runs, a thread skips Execute (the case below).
  ASSERT_TRUE(WaitUntil([&] { return running.load(); }));
  EXPECT_FALSE(worker->Finished());
  worker.reset();
  EXPECT_TRUE(stopped);
}

TEST_F(ThreadTest, DestroyingANeverStartedThreadSkipsExecute) {
  std::atomic<bool> executed{false};
  auto worker = std::make_unique<TLambdaThread>([&](TLambdaThread&) { executed = true; });
  EXPECT_TRUE(worker->Suspended());
  worker.reset();
  EXPECT_FALSE(executed);
}

TEST_F(ThreadTest, FreeOnTerminateDeletesTheThreadItself) {
  std::atomic<bool> destroyed{false};
  auto* worker = new TLambdaThread([](TLambdaThread&) {}, &destroyed);
  worker->SetFreeOnTerminate(true);
  worker->Start();
  EXPECT_TRUE(WaitUntil([&] { return destroyed.load(); }));
}

TEST_F(ThreadTest, PriorityRoundTrips) {
  TLambdaThread worker([](TLambdaThread& self) {
    while (!self.Terminated()) Sleep(1);
  });
  EXPECT_EQ(worker.Priority(), tpNormal);
  for (auto p : {tpLower, tpIdle, tpHigher, tpNormal}) {
    worker.SetPriority(p);
    EXPECT_EQ(worker.Priority(), p);
  }
  EXPECT_NE(worker.ThreadID(), 0u);
  worker.Start();
}

TEST_F(ThreadTest, HandOversFromTheMainThreadRunAtOnce) {
  TLambdaThread idle([](TLambdaThread&) {});
  int ran = 0;
  idle.Synchronize([&] { ++ran; });
  idle.Queue([&] { ++ran; });
  EXPECT_EQ(ran, 2);
  idle.Start();
}

TEST_F(ThreadTest, CheckSynchronizeOffTheMainThreadRaises) {
  std::atomic<bool> raised{false};
  TLambdaThread worker([&](TLambdaThread&) {
    try {
      CheckSynchronize();
    } catch (const EThread&) {
      raised = true;
    }
  });
  worker.Start();
  worker.WaitFor();
  EXPECT_TRUE(raised);
}

}  // namespace
