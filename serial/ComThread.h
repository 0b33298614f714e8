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
  void WakeUp(DWORD mask);
  // Reports lines that changed since the last wake-up; true when any did.
  bool CheckLinesBetweenWaits();
  bool ReadSignals(TComSignals& signals);
  void Dispatch(const TComWakeUp& w);
  void SendEventMessages(const TComWakeUp& w);

  TCustomComPort* FComPort;
  TOwnedHandle FStopEvent;
  DWORD FMask;
  TComSignals FLastSignals;
  // Lines reported between waits that the pending wait may report again.
  TComSignals FReportedEarly = 0;
};
