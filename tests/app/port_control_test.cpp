// The main window's port: opening and closing it, blocking the validator
// through RTS, and counting rises of CTS, on an in-process port.
#include "framework/Application.h"
#include "tests/app/support/form_fixture.h"
#include "tests/serial/support/fake_comm.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

namespace {

class PortControl : public FormFixture {
 protected:
  void StartWithFakePort(const std::string& settings) {
    Write(dataFolder + L"data.txt", "[data]\r\nlog=appdata\r\nchannel1=10\r\ncomport=2\r\n" + settings);
    Start();
    form->KelvraAdapter->SetCommApi(&fake);
  }
  void TearDown() override {
    if (form && form->KelvraAdapter->Connected()) form->KelvraAdapter->Close();
    FormFixture::TearDown();
  }
  void Pulse() {
    fake.SetLines(MS_CTS_ON);
    ASSERT_TRUE(WaitUntil([&] { return LampOn(); }));
    fake.SetLines(0);
    ASSERT_TRUE(WaitUntil([&] { return !LampOn(); }));
  }
  bool LampOn() { return lampOn; }

  TFakeComm fake;
  bool lampOn = false;
};

TEST_F(PortControl, OpensTheChosenPortAndCountsRisesOnly) {
  StartWithFakePort("");
  auto handler = form->KelvraAdapter->OnCTSChange;
  form->KelvraAdapter->OnCTSChange = [&, handler](TObject* s, bool on) {
    lampOn = on;
    handler(s, on);
  };
  form->cbPoll->SetChecked(true);
  ASSERT_TRUE(form->KelvraAdapter->Connected());
  EXPECT_EQ(fake.LastDevice, L"\\\\.\\COM2");
  EXPECT_TRUE(fake.Rts());  // not blocked: the validator accepts
  EXPECT_TRUE(fake.Dtr());
  for (int i = 0; i < 3; ++i) Pulse();
  EXPECT_EQ(App.Credits, 30);
  EXPECT_EQ(App.CashId, 3);
  EXPECT_NE(Read(dataFolder + L"data.txt").find("poll=1\r\n"), std::string::npos);

  form->cbPoll->SetChecked(false);
  EXPECT_FALSE(form->KelvraAdapter->Connected());
  EXPECT_NE(Read(dataFolder + L"data.txt").find("poll=0\r\n"), std::string::npos);
}

// Pulses handed over while the window is busy arrive together: each is
// still its own payment with its own line, in order, and the counters saved
// are those of the last.
TEST_F(PortControl, PaymentsArrivingTogetherAreEachLoggedAndCounted) {
  struct Case {
    const char* settings;
    const char* log;  // the log before; none when null
    int credits;      // after three pulses of 10 on 500
  };
  const Case cases[] = {
      {"", nullptr, 530},
      {"", "1,01.01.2026,10:00:00,0,10\r\n", 530},
      // The empty log resets the credits at the first payment; the ones
      // after it find its line and do not.
      {"checklogsize=1\r\n", "", 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.settings) + "|" + (c.log ? c.log : "no log"));
    if (form) {
      form->KelvraAdapter->Close();
      delete form;
      form = nullptr;
    }
    if (c.log)
      Write(dataFolder + L"credits.txt", c.log);
    else
      DeleteFileW((dataFolder + L"credits.txt").c_str());
    StartWithFakePort(std::string(c.settings) + "credits=500\r\ncashid=1\r\n");
    form->cbPoll->SetChecked(true);
    ASSERT_TRUE(WaitUntil([&] { return fake.WaitPending(); }));
    for (int i = 0; i < 3; ++i) {
      fake.SetLines(MS_CTS_ON);
      while (!fake.WaitPending()) Sleep(1);
      fake.SetLines(0);
      while (!fake.WaitPending()) Sleep(1);
    }
    ASSERT_TRUE(WaitUntil([&] { return App.CashId == 4; }));
    EXPECT_EQ(App.Credits, c.credits);
    const std::string log = Read(dataFolder + L"credits.txt");
    std::vector<std::string> ids;
    for (size_t at = 0; at < log.size(); at = log.find("\r\n", at) + 2)
      ids.push_back(log.substr(at, log.find(',', at) - at));
    ASSERT_GE(ids.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(ids.end() - 3, ids.end()), (std::vector<std::string>{"2", "3", "4"}));
    EXPECT_EQ(form->MemoLog->Lines().Count(), int(ids.size()));  // the view mirrors the file
    const std::string data = Read(dataFolder + L"data.txt");
    EXPECT_NE(data.find("cashid=4\r\n"), std::string::npos);
    EXPECT_NE(data.find("credits=" + std::to_string(c.credits) + "\r\n"), std::string::npos);
  }
}

TEST_F(PortControl, AValidatorHoldingCtsAtOpenIsNoPayment) {
  StartWithFakePort("");
  fake.SetLinesQuietly(MS_CTS_ON);
  form->cbPoll->SetChecked(true);
  Application->ProcessMessages();
  EXPECT_EQ(App.Credits, 0);
  EXPECT_EQ(App.CashId, 0);
  // The lamp shows the line all the same.
  form->cbPoll->SetChecked(false);  // closing reports "off": still no payment
  EXPECT_EQ(App.CashId, 0);
}

TEST_F(PortControl, BlockingFollowsTheBoxWhileOpen) {
  StartWithFakePort("");
  form->cbTotalblocking->SetChecked(true);  // closed: nothing on the line yet
  form->cbPoll->SetChecked(true);
  EXPECT_FALSE(fake.Rts());
  form->cbTotalblocking->SetChecked(false);
  EXPECT_TRUE(fake.Rts());
  form->cbTotalblocking->SetChecked(true);
  EXPECT_FALSE(fake.Rts());
}

TEST_F(PortControl, AnOpenErrorIsShownUnlessATotalModeIsOn) {
  StartWithFakePort("");
  fake.OpenError = ERROR_FILE_NOT_FOUND;
  form->cbPoll->SetChecked(true);
  EXPECT_FALSE(form->KelvraAdapter->Connected());
  EXPECT_TRUE(form->cbPoll->Checked());
  ASSERT_GT(form->MemoLog->Lines().Count(), 0);
  EXPECT_EQ(form->MemoLog->Lines().Get(form->MemoLog->Lines().Count() - 1), L"COM port error!");
  EXPECT_NE(Read(dataFolder + L"data.txt").find("poll=1\r\n"), std::string::npos);

  form->cbPoll->SetChecked(false);
  form->cbLogOnlyTotalPure->SetChecked(true);
  const int lines = form->MemoLog->Lines().Count();
  form->cbPoll->SetChecked(true);
  EXPECT_EQ(form->MemoLog->Lines().Count(), lines);
}

TEST_F(PortControl, APortNumberOutsideTheListIsAPortError) {
  for (const char* number : {"0", "999", "-1", "11"}) {
    SCOPED_TRACE(number);
    Write(dataFolder + L"data.txt", std::string("[data]\r\ncomport=") + number + "\r\n");
    Start();
    form->KelvraAdapter->SetCommApi(&fake);
    fake.LastDevice.clear();
    form->cbPoll->SetChecked(true);
    EXPECT_FALSE(form->KelvraAdapter->Connected());
    EXPECT_EQ(fake.LastDevice, L"") << "no port of that name is tried";
    EXPECT_TRUE(form->cbPoll->Checked());
    ASSERT_GT(form->MemoLog->Lines().Count(), 0);
    EXPECT_EQ(form->MemoLog->Lines().Get(form->MemoLog->Lines().Count() - 1), L"COM port error!");
    delete form;
    form = nullptr;
  }
}

TEST_F(PortControl, ChoosingAnotherPortReopensOnlyWhileOpen) {
  StartWithFakePort("");
  form->ComboBoxCOM->SelectItem(4);
  EXPECT_EQ(App.ComPortNumber, 5);
  EXPECT_FALSE(form->KelvraAdapter->Connected());

  form->cbPoll->SetChecked(true);
  EXPECT_EQ(fake.LastDevice, L"\\\\.\\COM5");
  form->ComboBoxCOM->SelectItem(6);
  EXPECT_TRUE(form->KelvraAdapter->Connected());
  EXPECT_EQ(fake.LastDevice, L"\\\\.\\COM7");
}

TEST_F(PortControl, ClosingTheWindowSavesAndClosesThePort) {
  StartWithFakePort("");
  form->cbPoll->SetChecked(true);
  App.Credits = 77;
  form->Close();
  EXPECT_FALSE(form->KelvraAdapter->Connected());
  EXPECT_NE(Read(dataFolder + L"data.txt").find("credits=77\r\n"), std::string::npos);
}

}  // namespace
