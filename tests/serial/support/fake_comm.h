#pragma once
// An in-process serial port behind the communications seam: modem lines,
// events, line errors, received bytes and failures that a test sets, with
// overlapped completion as the system does it.
#include "serial/CommApi.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

class TFakeComm : public TCommApi {
 public:
  // ---- what the test drives
  // Sets the input lines (MS_*_ON bits) and raises the events of those that
  // changed (with snapshot waits, only a Poll ends a wait).
  void SetLines(DWORD modemStatus);
  // A poll of a snapshot wait: ends it with the lines that differ from the
  // snapshot taken when it was armed. It reads the lines, as Wine's does.
  void Poll();
  // Changes the lines without any event, as a change before a wait is armed.
  void SetLinesQuietly(DWORD modemStatus);
  // Raises events (EV_* bits) without touching the lines.
  void Fire(DWORD events);
  void Receive(const std::string& bytes);  // raises EV_RXCHAR
  // Reported by the next ClearCommError; raises EV_ERR unless told not to.
  void SetLineErrors(DWORD ceBits, bool fire = true);

  // Waits as Wine's: each takes a snapshot of the lines when armed and ends
  // at the Poll that finds them different; no history of line edges between
  // waits. Otherwise as Windows': every edge is an event, and edges while no
  // wait is pending complete the next wait at once.
  bool SnapshotWaits = false;
  // With snapshot waits, as Wine's: a mask change ends a pending wait only
  // at its next Poll, which first reports what it finds against the snapshot.
  bool MaskEndsAtPoll = false;
  DWORD OpenError = 0;  // CreatePortFile fails with this
  DWORD WaitError = 0;  // WaitCommEvent fails at once with this
  bool ModemStatusFails = false;
  bool SetCommStateFails = false;
  bool ReadFails = false;
  // Runs inside WaitCommEvent before the wait is armed.
  std::function<void()> BeforeArm;
  // Runs inside WaitCommEvent once the wait is left pending.
  std::function<void()> AfterArm;
  // Runs inside GetCommModemStatus before the lines are read.
  std::function<void()> BeforeModemRead;

  // ---- what the test reads back
  DCB LastDcb() const;
  COMMTIMEOUTS LastTimeouts() const;
  DWORD Mask() const;
  bool Rts() const;
  bool Dtr() const;
  bool IsOpen() const;
  // A wait is pending and the thread has had its look at the lines since
  // arming it (when it watches any), finding them as it read them before:
  // it is settled in the wait and will not arm it afresh.
  bool WaitPending() const;
  // Besides, a poll would not end the wait: nothing is left to report.
  bool Settled() const;
  int WaitCalls() const;
  int ModemReads() const;
  // The lines as every status read found them, the program's and the polls'.
  std::vector<DWORD> StatusReads() const;
  std::string Written() const;
  DWORD InSize() const;

  // ---- the seam
  HANDLE CreatePortFile(const String& deviceName) override;
  BOOL ClosePortHandle(HANDLE h) override;
  BOOL SetupComm(HANDLE h, DWORD inSize, DWORD outSize) override;
  BOOL SetCommState(HANDLE h, DCB* dcb) override;
  BOOL SetCommTimeouts(HANDLE h, COMMTIMEOUTS* timeouts) override;
  BOOL SetCommMask(HANDLE h, DWORD mask) override;
  BOOL WaitCommEvent(HANDLE h, DWORD* mask, OVERLAPPED* ov) override;
  BOOL GetOverlappedResult(HANDLE h, OVERLAPPED* ov, DWORD* transferred, BOOL wait) override;
  BOOL ClearCommError(HANDLE h, DWORD* errors, COMSTAT* stat) override;
  BOOL GetCommModemStatus(HANDLE h, DWORD* status) override;
  BOOL EscapeCommFunction(HANDLE h, DWORD func) override;
  BOOL PurgeComm(HANDLE h, DWORD flags) override;
  BOOL ReadFile(HANDLE h, void* buffer, DWORD count, DWORD* read, OVERLAPPED* ov) override;
  BOOL WriteFile(HANDLE h, const void* buffer, DWORD count, DWORD* written, OVERLAPPED* ov) override;

  String LastDevice;

 private:
  void FireLocked(DWORD events);
  mutable std::mutex FLock;
  bool FOpen = false;
  DWORD FModem = 0;
  DWORD FMask = 0;
  DWORD FHistory = 0;  // events that came while no wait was pending
  DWORD* FPendingMask = nullptr;
  OVERLAPPED* FPending = nullptr;
  bool FEnding = false;  // the mask changed: the next poll ends the wait
  DWORD FLineErrors = 0;
  std::string FInput, FWritten;
  bool FRts = false, FDtr = false;
  DCB FDcb{};
  COMMTIMEOUTS FTimeouts{};
  DWORD FInSize = 0;
  int FWaitCalls = 0;
  int FModemReads = 0;
  bool FLookedSinceArm = false;
  DWORD FSnapshot = 0;
  std::vector<DWORD> FStatusReads;
  DWORD FLastThreadRead = 0;
  DWORD FReadBeforeArm = 0;
  DWORD FOpenThread = 0;  // the GUI thread: other threads' reads are the event thread's
};
