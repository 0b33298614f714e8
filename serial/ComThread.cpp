#include "serial/ComThread.h"

#include "framework/Messages.h"
#include "framework/UtilWindow.h"
#include "serial/ComPort.h"

namespace {

struct TLine {
  TComEvent Event;
  TComSignal Signal;
};
// The lines whose state a wake-up carries, in delivery order.
constexpr TLine kStateLines[] = {{evCTS, csCTS}, {evDSR, csDSR}, {evRLSD, csRLSD}};
constexpr TComEvents kLineEvents = evCTS | evDSR | evRLSD | evRing;

}  // namespace

TComThread::TComThread(TCustomComPort* port, TComSignals lastSignals)
    : TThread(true),
      FComPort(port),
      FStopEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      FMask(EventsToMask(port->Events())),
      FLastSignals(lastSignals) {
  if (!FStopEvent) RaiseLastOSError();
  SetPriority(port->ThreadPriority());
  port->Api().SetCommMask(port->Handle(), FMask);
  Start();
}

TComThread::~TComThread() {
  SignalStop();
  TerminateAndWaitFor();
}

void TComThread::SignalStop() {
  SetEvent(FStopEvent.get());
  Sleep(0);  // yield once, so the event thread can see the stop before we start waiting for its end
}

void TComThread::Execute() {
  TCommApi& api = FComPort->Api();
  const HANDLE port = FComPort->Handle();
  TOwnedHandle ioEvent(CreateEventW(nullptr, TRUE, TRUE, nullptr));
  OVERLAPPED ov{};
  ov.hEvent = ioEvent.get();
  const HANDLE waits[2] = {FStopEvent.get(), ioEvent.get()};
  bool pending = false;

  while (WaitForSingleObject(FStopEvent.get(), 0) != WAIT_OBJECT_0) {
    // Read before arming, never after: Wine compares a wait with the lines
    // as they were when it was armed, and a read after the arm cannot tell
    // whether an edge came before that snapshot or after it. An edge between
    // the read and the arm cannot be placed either, so the look's report is
    // handed on only once the wait is armed.
    const TComWakeUp look = LookBeforeArming();
    DWORD mask = 0;
    const bool atOnce = api.WaitCommEvent(port, &mask, &ov);
    const DWORD error = atOnce ? 0 : GetLastError();
    if (look.Events) Dispatch(look);
    if (atOnce) {
      WakeUp(mask, true);
      continue;
    }
    if (error != ERROR_IO_PENDING) {
      // A device that went away fails every wait at once: stop instead of
      // spinning, and let the GUI thread know.
      TComWakeUp failure;
      failure.WaitError = error ? error : ERROR_GEN_FAILURE;
      FComPort->QueueWakeUp(failure);
      Queue([p = FComPort] { p->DeliverWakeUps(); });
      break;
    }
    pending = true;
    TComWakeUp moved;
    if (LinesMovedWhileArming(moved)) {
      // The wait's snapshot may hold either level, and a wait that compares
      // with the level we did not report would count a pulse wrongly or miss
      // one. End it (an empty mask ends it) and arm it afresh, before the
      // report is handed on: a poll that ends the wait meanwhile cannot be
      // placed either.
      api.SetCommMask(port, 0);
      api.SetCommMask(port, FMask);
      if (moved.Events) Dispatch(moved);
      // Wine ends that wait only at its next poll, which first compares the
      // lines with the snapshot we cannot know: an event it ends with may be
      // the edge just reported or a pulse after it. Reading the lines until
      // it has ended counts such a pulse by its levels instead.
      if (!FollowUntilEnded(ioEvent.get())) break;
    }
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) break;
    pending = false;
    DWORD transferred = 0;
    if (api.GetOverlappedResult(port, &ov, &transferred, FALSE)) WakeUp(mask, false);
  }

  api.SetCommMask(port, 0);
  // A wait still pending ends with the mask cleared; let it finish before
  // its record goes.
  if (pending) WaitForSingleObject(ioEvent.get(), 1000);
  api.PurgeComm(port, PURGE_TXCLEAR | PURGE_RXCLEAR);
}

bool TComThread::ReadSignals(TComSignals& signals) {
  DWORD status = 0;
  if (!FComPort->Api().GetCommModemStatus(FComPort->Handle(), &status)) return false;
  signals = ModemStatusToSignals(status);
  return true;
}

void TComThread::WakeUp(DWORD mask, bool atOnce) {
  TComWakeUp w;
  w.Events = MaskToEvents(mask);
  if (!w.Events) return;  // the mask was cleared to stop us
  // A wait left pending was armed with nothing in the history: its edges all
  // came after the look, and only those the check after arming reported
  // are known already.
  const TComSignals explained = atOnce ? FReportedEarly : FReportedAfterArming;
  FReportedEarly = 0;
  FReportedAfterArming = 0;
  w.SignalsCaptured = ReadSignals(w.Signals);
  if (!w.SignalsCaptured) {
    Dispatch(w);  // the states are read when it is delivered
    return;
  }
  TComWakeUp before;  // the first half of pulses that came and went
  w.Events = (w.Events & ~kLineEvents) | TakeReading(w.Signals, w.Events & kLineEvents, explained, before);
  if (before.Events) {
    before.SignalsCaptured = true;
    Dispatch(before);
  }
  if (w.Events) Dispatch(w);
}

TComWakeUp TComThread::LookBeforeArming() {
  TComWakeUp w;
  if (!(MaskToEvents(FMask) & kLineEvents)) return w;
  if (!ReadSignals(w.Signals)) return w;
  TComWakeUp none;  // without events the look finds no pulse that came and went
  w.Events = TakeReading(w.Signals, 0, 0, none);
  w.SignalsCaptured = true;
  return w;
}

bool TComThread::FollowUntilEnded(HANDLE ioEvent) {
  const HANDLE waits[2] = {FStopEvent.get(), ioEvent};
  for (;;) {
    // Wine polls about every millisecond: as often, so we see what it sees.
    const DWORD result = WaitForMultipleObjects(2, waits, FALSE, 1);
    if (result != WAIT_TIMEOUT) return result == WAIT_OBJECT_0 + 1;
    TComWakeUp w;
    if (LinesMoved(w) && w.Events) Dispatch(w);
  }
}

bool TComThread::LinesMovedWhileArming(TComWakeUp& w) {
  FReportedAfterArming = 0;
  return LinesMoved(w);
}

bool TComThread::LinesMoved(TComWakeUp& w) {
  const TComEvents watched = MaskToEvents(FMask) & kLineEvents;
  if (!watched) return false;
  if (!ReadSignals(w.Signals)) return false;
  TComSignals lines = 0;
  for (const auto& line : kStateLines)
    if (watched & line.Event) lines |= line.Signal;
  if (watched & evRing) lines |= csRing;
  const TComSignals moved = (w.Signals ^ FLastSignals) & lines;
  if (!moved) return false;
  TComWakeUp none;  // without events the check finds no pulse that came and went
  w.Events = TakeReading(w.Signals, 0, 0, none);
  w.SignalsCaptured = true;
  FReportedAfterArming |= moved;
  return true;
}

TComEvents TComThread::TakeReading(TComSignals now, TComEvents lineEvents, TComSignals explained, TComWakeUp& before) {
  const TComEvents watched = MaskToEvents(FMask) & kLineEvents;
  TComEvents report = 0;
  TComSignals taken = 0;  // the lines this read speaks for
  for (const auto& line : kStateLines) {
    if (!(watched & line.Event)) continue;
    taken |= line.Signal;
    if ((now ^ FLastSignals) & line.Signal) {
      report |= line.Event;
    } else if ((lineEvents & line.Event) && !(explained & line.Signal)) {
      // The line changed and changed back before we could read it: the
      // pulse was real, so report both of its edges.
      report |= line.Event;
      before.Events |= line.Event;
      before.Signals |= (now & line.Signal) ? 0 : line.Signal;
    } else {
      continue;
    }
    // Whichever edge this read found may have come after the wait ended,
    // and then its event is still to come.
    FReportedEarly |= line.Signal;
  }
  if (watched & evRing) {
    taken |= csRing;
    const bool moved = (now ^ FLastSignals) & csRing;
    // A ring is its rise, or an event whose ring came and went unread.
    if ((moved && (now & csRing)) || (!moved && (lineEvents & evRing) && !(explained & csRing))) report |= evRing;
    if (moved || (report & evRing)) FReportedEarly |= csRing;
  }
  FLastSignals = (FLastSignals & ~taken) | (now & taken);
  return report;
}

void TComThread::Dispatch(const TComWakeUp& w) {
  switch (FComPort->SyncMethod()) {
    case smThreadSync:
      // Queued, not waited for: the next wait is armed at once, and the GUI
      // thread delivers the wake-ups one after the other.
      FComPort->QueueWakeUp(w);
      Queue([p = FComPort] { p->DeliverWakeUps(); });
      break;
    case smWindowSync:
      SendEventMessages(w);
      break;
    case smNone:
      try {
        FComPort->ProcessWakeUp(w);
      } catch (...) {
        Queue([p = FComPort, e = std::current_exception()] {
          try {
            std::rethrow_exception(e);
          } catch (...) {
            p->ShowError();
          }
        });
      }
      break;
    case smDisableEvents:
      break;
  }
}

void TComThread::SendEventMessages(const TComWakeUp& w) {
  static constexpr TComEvent kOrder[] = {evError, evRxChar, evTxEmpty, evBreak, evRing,
                                         evCTS,   evDSR,    evRxFlag,  evRLSD,  evRx80Full};
  const HWND wnd = FComPort->FNotifyWindow->Handle();
  // The captured line states ride along in LParam, marked so that 0 still
  // means "read them when processed".
  const LPARAM states = w.SignalsCaptured ? LPARAM(0x100 | w.Signals) : 0;
  for (const TComEvent e : kOrder)
    if (w.Events & e) SendMessageW(wnd, WM_USER + 1, EventsToMask(e), states);
}
