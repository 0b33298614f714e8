#pragma once
// The serial port component over the Windows communications API: settings,
// open and close, the event thread's delivery, line signals, reading and
// writing, linked listeners and settings persistence.
#include "framework/Component.h"
#include "framework/Thread.h"
#include "serial/CommApi.h"
#include "serial/ComError.h"
#include "serial/ComLink.h"
#include "serial/ComSettings.h"
#include "serial/ComTypes.h"

#include <deque>
#include <memory>
#include <mutex>
#include <vector>

class TComThread;
class TCustomIniFile;
class TRegistry;
class TUtilWindow;
struct TMessage;

// What one wake-up of the event thread carries to the processing: the events
// and the line states read right after the wake-up.
struct TComWakeUp {
  TComEvents Events = 0;
  TComSignals Signals = 0;
  bool SignalsCaptured = false;
  DWORD WaitError = 0;  // the thread stopped waiting: WaitCommEvent failed with this
};

// Groups of settings that the ini and registry storage write and read.
using TStoredComGroups = uint8_t;
enum TStoredComGroup : TStoredComGroups {
  sgBasic = 0x01,
  sgFlowControl = 0x02,
  sgBuffer = 0x04,
  sgTimeouts = 0x08,
  sgParity = 0x10,
  sgOthers = 0x20
};

class TComPortAbstract : public TComponent {
 public:
  explicit TComPortAbstract(TComponent* owner);
  ~TComPortAbstract() override;

  virtual void SetConnected(bool value) = 0;
  virtual bool GetConnected() const = 0;
  bool Connected() const { return GetConnected(); }
  virtual void CreateHandle() = 0;
  virtual void DestroyHandle() = 0;
  virtual void ApplyDCB() = 0;
  virtual void ApplyTimeouts() = 0;
  virtual void ApplyBuffer() = 0;
  virtual void SetupComPort() = 0;
  virtual int Write(const void* buffer, int count) = 0;
  virtual int WriteStr(const AnsiString& str) = 0;
  virtual int Read(void* buffer, int count) = 0;
  virtual int ReadStr(AnsiString& str, int count) = 0;
  virtual void Open() = 0;
  virtual void Close() = 0;

  TBaudRate BaudRate() const { return FBaudRate; }
  void SetBaudRate(TBaudRate v);
  DWORD CustomBaudRate() const { return FCustomBaudRate; }
  void SetCustomBaudRate(DWORD v);
  const String& Port() const { return FPort; }
  void SetPort(const String& v);
  TStopBits StopBits() const { return FStopBits; }
  void SetStopBits(TStopBits v);
  TDataBits DataBits() const { return FDataBits; }
  void SetDataBits(TDataBits v);
  TComParity& Parity() const { return *FParity; }
  void SetParity(const TComParity& v);
  TComTimeouts& Timeouts() const { return *FTimeouts; }
  void SetTimeouts(const TComTimeouts& v);

 protected:
  // Settings go to the driver only while open and not being loaded.
  bool CanApply() const { return Connected() && !Loading(); }

 private:
  TBaudRate FBaudRate = br9600;
  DWORD FCustomBaudRate = 9600;
  String FPort = L"COM1";
  TStopBits FStopBits = sbOneStopBit;
  TDataBits FDataBits = dbEight;
  std::unique_ptr<TComParity> FParity;
  std::unique_ptr<TComTimeouts> FTimeouts;
};

class TCustomComPort : public TComPortAbstract {
 public:
  explicit TCustomComPort(TComponent* owner);
  ~TCustomComPort() override;

  // ---- open, close, settings
  void SetConnected(bool value) override;
  bool GetConnected() const override { return FConnected; }
  void CreateHandle() override;
  void DestroyHandle() override;
  void ApplyDCB() override;
  void ApplyTimeouts() override;
  void ApplyBuffer() override;
  void SetupComPort() override;
  void Open() override;
  void Close() override;

  bool DiscardNull() const { return FDiscardNull; }
  void SetDiscardNull(bool v);
  char EventChar() const { return FEventChar; }
  void SetEventChar(char v);
  TComEvents Events() const { return FEvents; }
  void SetEvents(TComEvents v) { FEvents = v; }
  TComBuffer& Buffer() const { return *FBuffer; }
  void SetBuffer(const TComBuffer& v);
  TComFlowControl& FlowControl() const { return *FFlowControl; }
  void SetFlowControl(const TComFlowControl& v);
  TSyncMethod SyncMethod() const { return FSyncMethod; }
  void SetSyncMethod(TSyncMethod v);
  TThreadPriority ThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(TThreadPriority v) { FThreadPriority = v; }
  TStoredComGroups StoredGroups() const { return FStoredGroups; }
  void SetStoredGroups(TStoredComGroups v) { FStoredGroups = v; }
  HANDLE Handle() const { return FHandle; }
  // The event thread could not wait any more (the device went away): the
  // port stays open but reports nothing until it is closed and opened again.
  bool Failed() const { return FFailed; }
  // Whether a wake-up handed over and not yet delivered carries a rise of
  // CTS, DSR or RLSD: a handler may leave work that every rise repeats to
  // the rise that follows it.
  bool RiseWaiting(TComSignal line);

  // The communications calls; the system's unless a test gives its own.
  // Only while closed.
  void SetCommApi(TCommApi* api);

  // ---- line signals, reading, writing
  TComSignals ReadLineSignals();
  TComErrors ReadLineErrors();
  int InputCount();
  void SetRTS(bool value);
  void SetDTR(bool value);
  int Write(const void* buffer, int count) override;
  int WriteStr(const AnsiString& str) override;
  int Read(void* buffer, int count) override;
  int ReadStr(AnsiString& str, int count) override;
  bool RaiseReadErrors() const { return FRaiseReadErrors; }
  void SetRaiseReadErrors(bool v) { FRaiseReadErrors = v; }
  int ReadErrorCount() const { return FReadErrorCount; }
  DWORD LastReadError() const { return FLastReadError; }

  // ---- linked listeners (not owned; a listener unlinks itself before it goes)
  void RegisterLink(TComLink* link);
  void UnregisterLink(TComLink* link);

  // ---- settings persistence
  virtual void StoreRegistry(TRegistry& reg);
  virtual void StoreIniFile(TCustomIniFile& ini);
  virtual void LoadRegistry(TRegistry& reg);
  virtual void LoadIniFile(TCustomIniFile& ini);

  // ---- events
  TRxCharEvent OnRxChar;
  TRxBufEvent OnRxBuf;
  TNotifyEvent OnTxEmpty;
  TNotifyEvent OnBreak;
  TNotifyEvent OnRing;
  TComSignalEvent OnCTSChange;
  TComSignalEvent OnDSRChange;
  TComSignalEvent OnRLSDChange;
  TComErrorEvent OnError;
  TNotifyEvent OnRxFlag;
  TNotifyEvent OnAfterOpen;
  TNotifyEvent OnAfterClose;
  TNotifyEvent OnBeforeOpen;
  TNotifyEvent OnBeforeClose;
  TNotifyEvent OnRx80Full;

 protected:
  virtual void DoAfterClose();
  virtual void DoAfterOpen();
  virtual void DoBeforeClose();
  virtual void DoBeforeOpen();
  virtual void DoRxChar(int count);
  virtual void DoRxBuf(const void* buffer, int count);
  virtual void DoTxEmpty();
  virtual void DoBreak();
  virtual void DoRing();
  virtual void DoRxFlag();
  virtual void DoCTSChange(bool onOff);
  virtual void DoDSRChange(bool onOff);
  virtual void DoError(TComErrors errors);
  virtual void DoRLSDChange(bool onOff);
  virtual void DoRx80Full();
  void Loaded() override;

 private:
  friend class TComThread;

  struct TAsync {
    OVERLAPPED Overlapped{};
    TOwnedHandle Event;
    enum TKind : uint8_t { okWrite, okRead } Kind = okWrite;
    std::vector<char> Data;
  };

  TCommApi& Api() const { return *FApi; }
  [[noreturn]] void RaiseLast(int code) const;

  // Event processing, on whichever thread the sync method says.
  void ProcessWakeUp(const TComWakeUp& w);
  void ProcessLineChange(TComEvent line, bool onOff);
  void ProcessRxChar();
  void ProcessErrors();
  void ProcessTxEmpty();
  void ProcessRing();
  void ProcessRxFlag();
  void AfterOpenReports(const TComSignals* captured);
  void BeforeCloseReports();

  // The event thread's hand-over (any thread) and the GUI thread's delivery.
  void QueueWakeUp(const TComWakeUp& w);
  void DeliverWakeUps(bool evenWhileDelivering = false);
  void ShowError();
  void StopEventThread();
  void NotifyWindowProc(TMessage& m);

  void InitAsync(std::unique_ptr<TAsync>& rec);
  void PrepareAsync(TAsync& rec, TAsync::TKind kind, const void* source, int count);
  DWORD WaitForAsync(TAsync* rec);

  template <class F>
  void ForEachLink(F f) const {
    for (TComLink* link : FLinks) f(*link);
  }

  TCommApi* FApi;
  bool FConnected = false;
  std::unique_ptr<TComThread> FEventThread;
  bool FThreadActive = false;
  HANDLE FHandle = INVALID_HANDLE_VALUE;
  std::unique_ptr<TUtilWindow> FNotifyWindow;
  std::vector<TComLink*> FLinks;
  bool FNotifyRxCount = true;
  TThreadPriority FThreadPriority = tpNormal;
  bool FBufferListenerPresent = false;
  bool FDiscardNull = false;
  char FEventChar = 0;
  TComEvents FEvents = kAllComEvents;
  std::unique_ptr<TComBuffer> FBuffer;
  std::unique_ptr<TComFlowControl> FFlowControl;
  TSyncMethod FSyncMethod = smThreadSync;
  TStoredComGroups FStoredGroups = sgBasic;
  bool FRaiseReadErrors = false;
  int FReadErrorCount = 0;
  DWORD FLastReadError = 0;
  std::unique_ptr<TAsync> FReadAsync;
  std::unique_ptr<TAsync> FWriteAsync;
  bool FFailed = false;

  // Wake-ups waiting for the GUI thread, oldest first.
  std::mutex FWakeUpLock;
  std::deque<TComWakeUp> FWakeUps;
  bool FDelivering = false;  // GUI thread only
  bool FClosing = false;
};

// The component as placed on a form; it adds no behaviour.
class TComPort : public TCustomComPort {
 public:
  using TCustomComPort::TCustomComPort;
};
