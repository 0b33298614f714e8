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
  // atOnce: the wait completed as it was armed, from the driver's history
  // of events that came while no wait was pending.
  void WakeUp(DWORD mask, bool atOnce);
  // Reads the lines just before a wait is armed and returns the report of
  // those that changed since the last one, to be handed on once it is armed.
  TComWakeUp LookBeforeArming();
  // Reads the lines once the wait is left pending: true when any moved
  // since the look, with their report in w.
  bool LinesMovedWhileArming(TComWakeUp& w);
  // Reads the lines: true when any moved since the last report, with their
  // report in w; they join those whose event may end the pending wait.
  bool LinesMoved(TComWakeUp& w);
  // Reads the lines until the pending wait has ended (true) or the stop
  // came (false), reporting every move.
  bool FollowUntilEnded(HANDLE ioEvent);
  // Judges one read of the lines against the states reported so far.
  // lineEvents: the line events of the wait just ended (none for the look);
  // explained: lines whose event may be an edge reported already. Returns
  // the line events to report with the read's states; a pulse that came and
  // went before the read puts its first edge into before.
  TComEvents TakeReading(TComSignals now, TComEvents lineEvents, TComSignals explained, TComWakeUp& before);
  bool ReadSignals(TComSignals& signals);
  void Dispatch(const TComWakeUp& w);
  void SendEventMessages(const TComWakeUp& w);

  TCustomComPort* FComPort;
  TOwnedHandle FStopEvent;
  DWORD FMask;
  TComSignals FLastSignals;
  // Lines whose change a read reported since the last wait completed. The
  // edge may have come after that completion, and a driver that keeps a
  // history of edges between waits brings its event again, at once, in the
  // next wait: there it is no news.
  TComSignals FReportedEarly = 0;
  // Lines whose change the check after arming reported: their event may be
  // the one that ends the pending wait.
  TComSignals FReportedAfterArming = 0;
};
