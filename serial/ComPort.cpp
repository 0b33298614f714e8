#include "serial/ComPort.h"

#include "framework/Application.h"
#include "framework/UtilWindow.h"
#include "serial/ComThread.h"

#include <algorithm>

namespace {

constexpr DWORD kBaudRates[] = {0,     110,   300,   600,   1200,  2400,   4800,   9600,
                                14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
constexpr UINT WM_COMPORT_EVENT = WM_USER + 1;

// Runs a delivery with the port marked busy, so wake-ups that arrive while a
// handler dispatches messages wait for it instead of nesting inside it.
class TDeliveryGuard {
 public:
  explicit TDeliveryGuard(bool& flag) : FFlag(flag), FWas(flag) { FFlag = true; }
  ~TDeliveryGuard() { FFlag = FWas; }
  TDeliveryGuard(const TDeliveryGuard&) = delete;
  TDeliveryGuard& operator=(const TDeliveryGuard&) = delete;

 private:
  bool& FFlag;
  bool FWas;
};

}  // namespace

// ---- TComPortAbstract -----------------------------------------------------------

TComPortAbstract::TComPortAbstract(TComponent* owner)
    : TComponent(owner), FParity(std::make_unique<TComParity>(this)), FTimeouts(std::make_unique<TComTimeouts>(this)) {}

TComPortAbstract::~TComPortAbstract() = default;

void TComPortAbstract::SetBaudRate(TBaudRate v) {
  if (v == FBaudRate) return;
  FBaudRate = v;
  ApplyDCB();
}

void TComPortAbstract::SetCustomBaudRate(DWORD v) {
  if (v == FCustomBaudRate) return;
  FCustomBaudRate = v;
  ApplyDCB();
}

void TComPortAbstract::SetPort(const String& v) {
  if (v == FPort) return;
  FPort = v;
  if (Connected() && !Loading()) {
    Close();
    Open();
  }
}

void TComPortAbstract::SetStopBits(TStopBits v) {
  if (v == FStopBits) return;
  FStopBits = v;
  ApplyDCB();
}

void TComPortAbstract::SetDataBits(TDataBits v) {
  if (v == FDataBits) return;
  FDataBits = v;
  ApplyDCB();
}

void TComPortAbstract::SetParity(const TComParity& v) {
  FParity->Assign(v);
  ApplyDCB();
}

void TComPortAbstract::SetTimeouts(const TComTimeouts& v) {
  FTimeouts->Assign(v);
  ApplyTimeouts();
}

// ---- TCustomComPort: construction and settings -----------------------------------

TCustomComPort::TCustomComPort(TComponent* owner)
    : TComPortAbstract(owner),
      FApi(&SystemCommApi()),
      FBuffer(std::make_unique<TComBuffer>(this)),
      FFlowControl(std::make_unique<TComFlowControl>(this)) {}

TCustomComPort::~TCustomComPort() {
  Destroying_();
  try {
    Close();
  } catch (...) {
    // A destructor cannot report; the handle is closed all the same.
  }
  if (FHandle != INVALID_HANDLE_VALUE) DestroyHandle();
}

void TCustomComPort::SetCommApi(TCommApi* api) {
  if (FConnected) throw EComPort(CError_ConnChangeProp);
  FApi = api ? api : &SystemCommApi();
}

void TCustomComPort::RaiseLast(int code) const { throw EComPort(code, int(GetLastError()), Port()); }

void TCustomComPort::SetDiscardNull(bool v) {
  if (v == FDiscardNull) return;
  FDiscardNull = v;
  ApplyDCB();
}

void TCustomComPort::SetEventChar(char v) {
  if (v == FEventChar) return;
  FEventChar = v;
  ApplyDCB();
}

void TCustomComPort::SetBuffer(const TComBuffer& v) {
  FBuffer->Assign(v);
  ApplyBuffer();
}

void TCustomComPort::SetFlowControl(const TComFlowControl& v) {
  FFlowControl->Assign(v);
  ApplyDCB();
}

void TCustomComPort::SetSyncMethod(TSyncMethod v) {
  if (v == FSyncMethod) return;
  if (FConnected && !Loading()) throw EComPort(CError_ConnChangeProp);
  FSyncMethod = v;
}

void TCustomComPort::SetConnected(bool value) {
  if (Loading()) {
    FConnected = value;
    return;
  }
  if (value == FConnected) return;
  if (value)
    Open();
  else
    Close();
}

void TCustomComPort::Loaded() {
  TComPortAbstract::Loaded();
  if (!FConnected) return;
  FConnected = false;
  try {
    Open();
  } catch (...) {
    ShowError();
  }
}

void TCustomComPort::CreateHandle() {
  const HANDLE h = Api().CreatePortFile(L"\\\\.\\" + Port());
  if (h == INVALID_HANDLE_VALUE) RaiseLast(CError_OpenFailed);
  FHandle = h;
}

void TCustomComPort::DestroyHandle() {
  if (FHandle != INVALID_HANDLE_VALUE) Api().ClosePortHandle(FHandle);
  FHandle = INVALID_HANDLE_VALUE;
}

void TCustomComPort::ApplyDCB() {
  if (!CanApply()) return;
  const TComFlowControl& fc = *FFlowControl;
  DCB dcb{};
  dcb.DCBlength = sizeof(DCB);
  dcb.BaudRate = BaudRate() == brCustom ? CustomBaudRate() : kBaudRates[BaudRate()];
  dcb.fBinary = 1;
  dcb.fNull = FDiscardNull;
  dcb.fOutxCtsFlow = fc.OutCTSFlow();
  dcb.fOutxDsrFlow = fc.OutDSRFlow();
  dcb.fDtrControl = fc.ControlDTR();  // the enumeration's order is the driver's
  dcb.fRtsControl = fc.ControlRTS();
  dcb.fOutX = fc.XonXoffOut();
  dcb.fInX = fc.XonXoffIn();
  dcb.fDsrSensitivity = fc.DSRSensitivity();
  dcb.fTXContinueOnXoff = fc.TxContinueOnXoff();
  dcb.fParity = Parity().Check();
  if (Parity().Check() && Parity().Replace()) {
    dcb.fErrorChar = 1;
    dcb.ErrorChar = Parity().ReplaceChar();
  }
  dcb.XonLim = WORD(FBuffer->InputSize() / 4);
  dcb.XoffLim = dcb.XonLim;
  dcb.ByteSize = BYTE(5 + DataBits());
  dcb.Parity = BYTE(Parity().Bits());
  dcb.StopBits = BYTE(StopBits());
  dcb.XonChar = fc.XonChar();
  dcb.XoffChar = fc.XoffChar();
  dcb.EvtChar = FEventChar;
  if (!Api().SetCommState(FHandle, &dcb)) RaiseLast(CError_SetStateFailed);
}

void TCustomComPort::ApplyTimeouts() {
  if (!CanApply()) return;
  const TComTimeouts& t = Timeouts();
  COMMTIMEOUTS ct{DWORD(t.ReadInterval()), DWORD(t.ReadTotalMultiplier()), DWORD(t.ReadTotalConstant()),
                  DWORD(t.WriteTotalMultiplier()), DWORD(t.WriteTotalConstant())};
  if (!Api().SetCommTimeouts(FHandle, &ct)) RaiseLast(CError_TimeoutsFailed);
}

void TCustomComPort::ApplyBuffer() {
  if (!CanApply()) return;
  if (!Api().SetupComm(FHandle, DWORD(FBuffer->InputSize()), DWORD(FBuffer->OutputSize())))
    RaiseLast(CError_SetupComFailed);
}

void TCustomComPort::SetupComPort() {
  ApplyBuffer();
  ApplyDCB();
  ApplyTimeouts();
}

// ---- open and close ----------------------------------------------------------------

void TCustomComPort::Open() {
  if (FConnected) return;
  DoBeforeOpen();
  CreateHandle();
  FConnected = true;
  try {
    SetupComPort();
  } catch (...) {
    DestroyHandle();
    FConnected = false;
    throw;
  }
  FFailed = false;

  // The states reported after opening are where the event thread starts
  // from, so an edge between the two is reported, and only once.
  TComSignals signals = 0;
  DWORD status = 0;
  const bool captured = Api().GetCommModemStatus(FHandle, &status);
  if (captured) signals = ModemStatusToSignals(status);

  if (FEvents == 0) {
    FThreadActive = false;
  } else {
    if (FSyncMethod == smWindowSync)
      FNotifyWindow = std::make_unique<TUtilWindow>([this](TMessage& m) { NotifyWindowProc(m); });
    FEventThread = std::make_unique<TComThread>(this, signals);
    FThreadActive = true;
  }

  TDeliveryGuard guard(FDelivering);
  ForEachLink([&](TComLink& l) {
    if (l.OnConn) l.OnConn(this, true);
  });
  DoAfterOpen();
  AfterOpenReports(captured ? &signals : nullptr);
}

void TCustomComPort::Close() {
  if (!FConnected || FClosing) return;
  TDeliveryGuard closing(FClosing);
  // The thread stops first and what it handed over is delivered, so every
  // edge seen before the close reaches the handlers before the closing
  // reports; a close from inside a handler delivers them there.
  StopEventThread();
  DeliverWakeUps(true);

  BeforeCloseReports();
  DoBeforeClose();
  // A driver that refused the purge may still be finishing a transfer: give it a moment before the handle closes.
  if (!Api().PurgeComm(FHandle, PURGE_TXABORT | PURGE_RXABORT)) Sleep(1);
  FNotifyWindow.reset();
  DestroyHandle();
  FConnected = false;
  ForEachLink([&](TComLink& l) {
    if (l.OnConn) l.OnConn(this, false);
  });
  DoAfterClose();
}

void TCustomComPort::StopEventThread() {
  if (!FThreadActive) return;
  // A pending WaitCommEvent ends only when the mask is cleared (cancelling
  // the I/O does not end it everywhere).
  auto thread = std::move(FEventThread);
  FThreadActive = false;
  thread->SignalStop();
  Api().SetCommMask(FHandle, 0);
  thread.reset();
}

void TCustomComPort::AfterOpenReports(const TComSignals* captured) {
  if (captured) {
    ProcessLineChange(evCTS, *captured & csCTS);
    ProcessLineChange(evDSR, *captured & csDSR);
    ProcessLineChange(evRLSD, *captured & csRLSD);
  } else {
    ProcessLineChange(evCTS, ReadLineSignals() & csCTS);
    ProcessLineChange(evDSR, ReadLineSignals() & csDSR);
    ProcessLineChange(evRLSD, ReadLineSignals() & csRLSD);
  }
}

void TCustomComPort::BeforeCloseReports() {
  ForEachLink([&](TComLink& l) {
    if (l.OnCTSChange) l.OnCTSChange(this, false);
    if (l.OnDSRChange) l.OnDSRChange(this, false);
    if (l.OnRLSDChange) l.OnRLSDChange(this, false);
  });
  DoCTSChange(false);
  DoDSRChange(false);
  DoRLSDChange(false);
}

// ---- hand-over to the GUI thread ---------------------------------------------------

void TCustomComPort::QueueWakeUp(const TComWakeUp& w) {
  std::lock_guard<std::mutex> lock(FWakeUpLock);
  FWakeUps.push_back(w);
}

bool TCustomComPort::RiseWaiting(TComSignal line) {
  const TComEvents event = line == csCTS ? evCTS : line == csDSR ? evDSR : line == csRLSD ? evRLSD : 0;
  std::lock_guard<std::mutex> lock(FWakeUpLock);
  // A wake-up without the states is read when delivered, and may turn out a fall.
  return std::any_of(FWakeUps.begin(), FWakeUps.end(), [&](const TComWakeUp& w) {
    return (w.Events & event) && w.SignalsCaptured && (w.Signals & line);
  });
}

void TCustomComPort::DeliverWakeUps(bool evenWhileDelivering) {
  // A handler that waits with a message loop must not see the next wake-up
  // inside it: the delivery already running takes it when the handler returns.
  if (FDelivering && !evenWhileDelivering) return;
  TDeliveryGuard guard(FDelivering);
  for (;;) {
    TComWakeUp w;
    {
      std::lock_guard<std::mutex> lock(FWakeUpLock);
      if (FWakeUps.empty()) return;
      w = FWakeUps.front();
      FWakeUps.pop_front();
    }
    try {
      if (w.WaitError) {
        FFailed = true;
        throw EComPort(CError_WaitFailed, int(w.WaitError), Port());
      }
      ProcessWakeUp(w);
    } catch (...) {
      ShowError();
    }
  }
}

void TCustomComPort::ShowError() {
  if (Application) Application->HandleException(this);
}

void TCustomComPort::NotifyWindowProc(TMessage& m) {
  if (m.Msg != WM_COMPORT_EVENT) {
    m.Result = DefWindowProcW(FNotifyWindow->Handle(), m.Msg, m.WParam, m.LParam);
    return;
  }
  if (InSendMessage()) ReplyMessage(0);
  if (!FConnected) return;
  TComWakeUp w;
  w.Events = MaskToEvents(DWORD(m.WParam));
  w.SignalsCaptured = (m.LParam & 0x100) != 0;
  w.Signals = TComSignals(m.LParam & 0xFF);
  try {
    ProcessWakeUp(w);
  } catch (...) {
    ShowError();
  }
}

// ---- event processing ----------------------------------------------------------------

void TCustomComPort::ProcessWakeUp(const TComWakeUp& w) {
  const auto state = [&](TComSignal s) { return (w.SignalsCaptured ? w.Signals : ReadLineSignals()) & s; };
  if (w.Events & evError) ProcessErrors();
  if (w.Events & evRxChar) ProcessRxChar();
  if (w.Events & evTxEmpty) ProcessTxEmpty();
  if (w.Events & evBreak) DoBreak();
  if (w.Events & evRing) ProcessRing();
  if (w.Events & evCTS) ProcessLineChange(evCTS, state(csCTS));
  if (w.Events & evDSR) ProcessLineChange(evDSR, state(csDSR));
  if (w.Events & evRxFlag) ProcessRxFlag();
  if (w.Events & evRLSD) ProcessLineChange(evRLSD, state(csRLSD));
  if (w.Events & evRx80Full) DoRx80Full();
}

void TCustomComPort::ProcessLineChange(TComEvent line, bool onOff) {
  switch (line) {
    case evCTS:
      ForEachLink([&](TComLink& l) {
        if (l.OnCTSChange) l.OnCTSChange(this, onOff);
      });
      DoCTSChange(onOff);
      break;
    case evDSR:
      ForEachLink([&](TComLink& l) {
        if (l.OnDSRChange) l.OnDSRChange(this, onOff);
      });
      DoDSRChange(onOff);
      break;
    case evRLSD:
      ForEachLink([&](TComLink& l) {
        if (l.OnRLSDChange) l.OnRLSDChange(this, onOff);
      });
      DoRLSDChange(onOff);
      break;
    default:
      break;
  }
}

void TCustomComPort::ProcessErrors() {
  const TComErrors errors = ReadLineErrors();
  if (errors) DoError(errors);
}

void TCustomComPort::ProcessTxEmpty() {
  ForEachLink([&](TComLink& l) {
    if (l.OnTx) l.OnTx(this, false);
  });
  ForEachLink([&](TComLink& l) {
    if (l.OnTxEmpty) l.OnTxEmpty(this);
  });
  DoTxEmpty();
}

void TCustomComPort::ProcessRing() {
  ForEachLink([&](TComLink& l) {
    if (l.OnRing) l.OnRing(this);
  });
  DoRing();
}

void TCustomComPort::ProcessRxFlag() {
  ForEachLink([&](TComLink& l) {
    if (l.OnRxFlag) l.OnRxFlag(this);
  });
  DoRxFlag();
}

void TCustomComPort::ProcessRxChar() {
  int count = InputCount();
  if (count <= 0) return;
  ForEachLink([&](TComLink& l) {
    if (l.OnRx) l.OnRx(this, true);
  });
  if (!FNotifyRxCount || FBufferListenerPresent) {
    std::vector<char> block;
    const auto readBlock = [&] {
      block.resize(size_t(count));
      block.resize(size_t(Read(block.data(), count)));
      DoRxBuf(block.data(), int(block.size()));
    };
    bool read = false;
    for (TComLink* link : FLinks) {
      if (!link->OnRxBuf) continue;
      if (!read) {
        readBlock();
        read = true;
      }
      link->OnRxBuf(this, block.data(), int(block.size()));
    }
    if (!read && !FNotifyRxCount) {
      readBlock();
      read = true;
    }
    if (read) count = 0;
  }
  if (count > 0) DoRxChar(count);
}

// ---- event methods -------------------------------------------------------------------

void TCustomComPort::DoAfterClose() {
  if (OnAfterClose) OnAfterClose(this);
}
void TCustomComPort::DoAfterOpen() {
  if (OnAfterOpen) OnAfterOpen(this);
}
void TCustomComPort::DoBeforeClose() {
  if (OnBeforeClose) OnBeforeClose(this);
}
void TCustomComPort::DoBeforeOpen() {
  if (OnBeforeOpen) OnBeforeOpen(this);
}
void TCustomComPort::DoRxChar(int count) {
  if (OnRxChar) OnRxChar(this, count);
}
void TCustomComPort::DoRxBuf(const void* buffer, int count) {
  if (OnRxBuf) OnRxBuf(this, buffer, count);
}
void TCustomComPort::DoTxEmpty() {
  if (OnTxEmpty) OnTxEmpty(this);
}
void TCustomComPort::DoBreak() {
  if (OnBreak) OnBreak(this);
}
void TCustomComPort::DoRing() {
  if (OnRing) OnRing(this);
}
void TCustomComPort::DoRxFlag() {
  if (OnRxFlag) OnRxFlag(this);
}
void TCustomComPort::DoCTSChange(bool onOff) {
  if (OnCTSChange) OnCTSChange(this, onOff);
}
void TCustomComPort::DoDSRChange(bool onOff) {
  if (OnDSRChange) OnDSRChange(this, onOff);
}
void TCustomComPort::DoError(TComErrors errors) {
  if (OnError) OnError(this, errors);
}
void TCustomComPort::DoRLSDChange(bool onOff) {
  if (OnRLSDChange) OnRLSDChange(this, onOff);
}
void TCustomComPort::DoRx80Full() {
  if (OnRx80Full) OnRx80Full(this);
}

// ---- links ----------------------------------------------------------------------------

void TCustomComPort::RegisterLink(TComLink* link) {
  if (!link || std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) throw EComPort(CError_RegFailed);
  FLinks.push_back(link);
  if (link->OnRxBuf) FBufferListenerPresent = true;
}

void TCustomComPort::UnregisterLink(TComLink* link) {
  const auto it = std::find(FLinks.begin(), FLinks.end(), link);
  if (it == FLinks.end()) throw EComPort(CError_RegFailed);
  FLinks.erase(it);
  FBufferListenerPresent = std::any_of(FLinks.begin(), FLinks.end(), [](TComLink* l) { return bool(l->OnRxBuf); });
}
