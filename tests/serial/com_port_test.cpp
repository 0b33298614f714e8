// Settings, open and close, errors and the line controls, on the in-process port.
#include "tests/serial/support/port_fixture.h"

namespace {

using Strings = std::vector<std::string>;
using ComPort = PortFixture;

TEST_F(ComPort, OpenAppliesTheSettingsAndReportsThePresentLines) {
  Port->SetPort(L"COM7");
  Port->FlowControl().SetControlDTR(dtrEnable);
  Port->Buffer().SetInputSize(1025);  // kept even
  Fake.SetLinesQuietly(MS_CTS_ON | MS_RLSD_ON);
  RecordAll();
  Port->Open();
  EXPECT_EQ(Fake.LastDevice, L"\\\\.\\COM7");
  EXPECT_EQ(Seen, (Strings{"BeforeOpen", "AfterOpen", "CTS 1", "DSR 0", "RLSD 1"}));
  const DCB dcb = Fake.LastDcb();
  EXPECT_EQ(dcb.BaudRate, 9600u);
  EXPECT_EQ(dcb.ByteSize, 8);
  EXPECT_EQ(dcb.Parity, NOPARITY);
  EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
  EXPECT_EQ(dcb.fBinary, 1u);
  EXPECT_EQ(dcb.fDtrControl, unsigned(DTR_CONTROL_ENABLE));
  EXPECT_EQ(dcb.fRtsControl, unsigned(RTS_CONTROL_DISABLE));
  EXPECT_EQ(dcb.XonLim, 256);
  EXPECT_EQ(dcb.XoffLim, 256);
  EXPECT_EQ(dcb.XonChar, 17);
  EXPECT_EQ(Fake.InSize(), 1024u);
  const COMMTIMEOUTS t = Fake.LastTimeouts();
  EXPECT_EQ(t.ReadIntervalTimeout, MAXDWORD);
  EXPECT_EQ(t.WriteTotalTimeoutMultiplier, 100u);
  EXPECT_EQ(t.WriteTotalTimeoutConstant, 1000u);

  Seen.clear();
  Port->Open();  // already open: nothing
  EXPECT_TRUE(Seen.empty());
  Port->Close();
  EXPECT_EQ(Seen, (Strings{"CTS 0", "DSR 0", "RLSD 0", "BeforeClose", "AfterClose"}));
  Seen.clear();
  Port->Close();
  EXPECT_TRUE(Seen.empty());
}

TEST_F(ComPort, SettingsChangedWhileOpenGoToTheDriverAtOnce) {
  Port->Open();
  Port->SetBaudRate(brCustom);
  Port->SetCustomBaudRate(31250);
  EXPECT_EQ(Fake.LastDcb().BaudRate, 31250u);
  Port->Parity().SetBits(prEven);
  Port->Parity().SetCheck(true);
  Port->Parity().SetReplace(true);
  Port->Parity().SetReplaceChar('?');
  const DCB dcb = Fake.LastDcb();
  EXPECT_EQ(dcb.Parity, EVENPARITY);
  EXPECT_EQ(dcb.fParity, 1u);
  EXPECT_EQ(dcb.fErrorChar, 1u);
  EXPECT_EQ(dcb.ErrorChar, '?');
  Port->Timeouts().SetReadTotalConstant(50);
  EXPECT_EQ(Fake.LastTimeouts().ReadTotalTimeoutConstant, 50u);
}

TEST_F(ComPort, ChangingThePortWhileOpenReopensIt) {
  Port->Open();
  RecordAll();
  Port->SetPort(L"COM1");
  EXPECT_TRUE(Seen.empty());
  Port->SetPort(L"COM2");
  EXPECT_EQ(Seen, (Strings{"CTS 0", "DSR 0", "RLSD 0", "BeforeClose", "AfterClose", "BeforeOpen", "AfterOpen", "CTS 0",
                           "DSR 0", "RLSD 0"}));
  EXPECT_EQ(Fake.LastDevice, L"\\\\.\\COM2");
}

TEST_F(ComPort, FailuresRaiseTheirCodeAndLeaveThePortClosed) {
  struct Case {
    const char* name;
    std::function<void(TFakeComm&)> arrange;
    int code;
    int winCode;
    const char* message;
  };
  const Case cases[] = {
      {"missing", [](TFakeComm& f) { f.OpenError = ERROR_FILE_NOT_FOUND; }, 1, ERROR_FILE_NOT_FOUND,
       "COM Port Error: Unable to open com port on COM1"},
      {"busy", [](TFakeComm& f) { f.OpenError = ERROR_ACCESS_DENIED; }, 1, ERROR_ACCESS_DENIED,
       "COM Port Error: Unable to open com port on COM1"},
      {"bad state", [](TFakeComm& f) { f.SetCommStateFails = true; }, 7, ERROR_INVALID_PARAMETER,
       "COM Port Error: SetCommState function failed on COM1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFakeComm fake;
    TComPort port(nullptr);
    port.SetCommApi(&fake);
    c.arrange(fake);
    try {
      port.Open();
      ADD_FAILURE() << "no exception";
    } catch (const EComPort& e) {
      EXPECT_EQ(e.ErrorCode(), c.code);
      EXPECT_EQ(e.WinErrorCode(), c.winCode);
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_FALSE(port.Connected());
    EXPECT_FALSE(fake.IsOpen());
  }
}

TEST_F(ComPort, SyncMethodIsRefusedWhileOpen) {
  Port->Open();
  try {
    Port->SetSyncMethod(smNone);
    ADD_FAILURE() << "no exception";
  } catch (const EComPort& e) {
    EXPECT_EQ(e.ErrorCode(), 14);
    EXPECT_EQ(e.WinErrorCode(), -1);
    EXPECT_STREQ(e.what(), "COM Port Error: Cannot set property while connected");
  }
  Port->Close();
  Port->SetSyncMethod(smNone);
  EXPECT_EQ(Port->SyncMethod(), smNone);
}

TEST_F(ComPort, ModemLinesAndTheirFailures) {
  Port->FlowControl().SetControlDTR(dtrEnable);
  Port->Open();
  EXPECT_TRUE(Fake.Dtr());
  EXPECT_FALSE(Fake.Rts());
  Port->SetRTS(true);
  EXPECT_TRUE(Fake.Rts());
  Port->SetRTS(false);
  EXPECT_FALSE(Fake.Rts());
  Port->SetRTS(true);
  Port->ApplyDCB();  // rtsDisable lowers it again
  EXPECT_FALSE(Fake.Rts());
  Fake.ModemStatusFails = true;
  try {
    Port->ReadLineSignals();
    ADD_FAILURE() << "no exception";
  } catch (const EComPort& e) {
    EXPECT_EQ(e.ErrorCode(), 11);
  }
  Port->Close();
  try {
    Port->SetRTS(true);
    ADD_FAILURE() << "no exception";
  } catch (const EComPort& e) {
    EXPECT_EQ(e.ErrorCode(), 12);
  }
}

TEST_F(ComPort, ReadingAndWriting) {
  Port->Open();
  EXPECT_EQ(Port->WriteStr(""), 0);
  EXPECT_EQ(Fake.Written(), "");
  EXPECT_EQ(Port->WriteStr("ABC"), 3);
  EXPECT_EQ(Fake.Written(), "ABC");
  Port->SetEvents(0);
  Fake.Receive("xyz");
  char buf[8] = {};
  EXPECT_EQ(Port->Read(buf, 2), 2);
  EXPECT_EQ(std::string(buf, 2), "xy");
  Fake.ReadFails = true;
  EXPECT_EQ(Port->Read(buf, 2), 0);
  EXPECT_EQ(Port->ReadErrorCount(), 1);
  Port->SetRaiseReadErrors(true);
  EXPECT_THROW(Port->Read(buf, 2), EComPort);
}

TEST_F(ComPort, FlowControlPresets) {
  TComFlowControl& fc = Port->FlowControl();
  EXPECT_EQ(fc.FlowControl(), fcNone);
  fc.SetControlRTS(rtsEnable);
  EXPECT_EQ(fc.FlowControl(), fcCustom);
  fc.SetFlowControl(fcHardware);
  EXPECT_EQ(fc.ControlRTS(), rtsHandshake);
  EXPECT_TRUE(fc.OutCTSFlow());
  EXPECT_EQ(fc.FlowControl(), fcHardware);
  fc.SetFlowControl(fcSoftware);
  EXPECT_EQ(fc.FlowControl(), fcSoftware);
  fc.SetFlowControl(fcNone);
  EXPECT_FALSE(fc.XonXoffIn() || fc.XonXoffOut() || fc.OutCTSFlow());
  EXPECT_EQ(fc.ControlRTS(), rtsDisable);
}

TEST_F(ComPort, AStreamedConnectedOpensAfterLoadingAndAFailureIsShown) {
  Port->BeginLoading();
  Port->SetConnected(true);
  EXPECT_FALSE(Fake.IsOpen());
  Port->EndLoading();
  EXPECT_TRUE(Port->Connected());
  EXPECT_TRUE(Fake.IsOpen());

  TFakeComm missing;
  missing.OpenError = ERROR_FILE_NOT_FOUND;
  TComPort other(nullptr);
  other.SetCommApi(&missing);
  other.BeginLoading();
  other.SetConnected(true);
  other.EndLoading();
  EXPECT_FALSE(other.Connected());
  EXPECT_EQ(Errors, (Strings{"COM Port Error: Unable to open com port on COM1"}));
}

}  // namespace
