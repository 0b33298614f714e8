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
    // An edge reported between waits can only come back in the wait that
    // was pending then, and that one is over: a wait ended by the re-arm
    // may never come back at all. A wait armed now starts from the lines
    // as they are, so any event it brings is a change of its own.
    FReportedEarly = 0;
    DWORD mask = 0;
    if (api.WaitCommEvent(port, &mask, &ov)) {
      WakeUp(mask);
      continue;
    }
    const DWORD error = GetLastError();
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
    if (CheckLinesBetweenWaits()) {
      // Wine takes the lines when a wait is armed: if this edge came after
      // that, the wait compares with the old state and would not see the
      // line go back. End it (an empty mask ends it) and arm it afresh.
      api.SetCommMask(port, 0);
      api.SetCommMask(port, FMask);
    }
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) break;
    pending = false;
    DWORD transferred = 0;
    if (api.GetOverlappedResult(port, &ov, &transferred, FALSE)) WakeUp(mask);
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

void TComThread::WakeUp(DWORD mask) {
  TComWakeUp w;
  w.Events = MaskToEvents(mask);
  if (!w.Events) return;  // the mask was cleared to stop us
  w.SignalsCaptured = ReadSignals(w.Signals);
  if (w.SignalsCaptured) {
    TComWakeUp before;  // the first half of pulses that came and went
    for (const auto& line : kStateLines) {
      if (!(w.Events & line.Event)) continue;
      if (FReportedEarly & line.Signal) {
        // This event is the edge reported already between two waits. The
        // line may have moved on since: that is a change of its own, left
        // to its own event or to the next look between waits, so it is
        // judged against the state we reported, not read into this one.
        w.Events &= ~line.Event;
        continue;
      }
      const bool now = w.Signals & line.Signal;
      const bool last = FLastSignals & line.Signal;
      if (now == last) {
        // The line changed and changed back before we could read it: the
        // pulse was real, so report both of its edges.
        before.Events |= line.Event;
        before.Signals |= now ? 0 : line.Signal;
      }
      FLastSignals = (FLastSignals & ~line.Signal) | (w.Signals & line.Signal);
    }
    if ((w.Events & evRing) && (FReportedEarly & csRing)) {
      w.Events &= ~evRing;  // reported between waits
    } else {
      FLastSignals = (FLastSignals & ~csRing) | (w.Signals & csRing);
    }
    if (before.Events) {
      before.SignalsCaptured = true;
      Dispatch(before);
    }
  }
  if (w.Events) Dispatch(w);
}

bool TComThread::CheckLinesBetweenWaits() {
  const TComEvents watched = MaskToEvents(FMask) & kLineEvents;
  if (!watched) return false;
  TComSignals now;
  if (!ReadSignals(now)) return false;
  TComWakeUp w;
  for (const auto& line : kStateLines)
    if ((watched & line.Event) && ((now ^ FLastSignals) & line.Signal)) w.Events |= line.Event;
  if ((watched & evRing) && ((now ^ FLastSignals) & csRing) && (now & csRing)) w.Events |= evRing;
  if (!w.Events) return false;
  w.Signals = now;
  w.SignalsCaptured = true;
  FReportedEarly |= (now ^ FLastSignals) & (csCTS | csDSR | csRLSD | csRing);
  FLastSignals = now;
  Dispatch(w);
  return true;
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
