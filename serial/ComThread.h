#pragma once
// The event thread of an open port: waits on the port's communication events,
// reads the line states at once on every wake-up and hands both on.
#include "framework/Thread.h"
#include "serial/ComTypes.h"

class TCustomComPort;
struct TComWakeUp;

class TComThread : public TThread {
 public:
  // lastSignals: the line states the port has reported so far.
  TComThread(TCustomComPort* port, TComSignals lastSignals);
  ~TComThread() override;

  // Ends a pending wait and the loop; the destructor then waits for the end.
  void SignalStop();

 protected:
  void Execute() override;

 private:
  // atOnce: the wait completed as it was armed, from edges that came
  // while no wait was pending.
  void WakeUp(DWORD mask, bool atOnce);
  // Reads the lines just before a wait is armed and takes those that
  // changed since the last report: the next wait is judged against it.
  // The report is returned, to be dispatched once the wait is armed.
  TComWakeUp LookBeforeArming();
  bool ReadSignals(TComSignals& signals);
  void Dispatch(const TComWakeUp& w);
  void SendEventMessages(const TComWakeUp& w);

  TCustomComPort* FComPort;
  TOwnedHandle FStopEvent;
  DWORD FMask;
  TComSignals FLastSignals;
  // Lines with an edge reported since the last wait completed that was not
  // that wait's own: a driver that keeps a history of edges between waits
  // reports it again in a wait that completes at once.
  TComSignals FReportedEarly = 0;
};
