#include "tests/serial/support/port_fixture.h"

#include "framework/Application.h"

void PortFixture::SetUp() {
  InitApplication();
  while (CheckSynchronize()) {
  }
  Application->OnException = [this](TObject*, const std::exception& e) { Errors.push_back(e.what()); };
  Port = std::make_unique<TComPort>(nullptr);
  Port->SetCommApi(&Fake);
}

void PortFixture::TearDown() {
  Port.reset();
  Application->OnException = nullptr;
}

void PortFixture::RecordAll() {
  auto signal = [this](const char* name) {
    return [this, name](TObject*, bool on) { Seen.push_back(std::string(name) + (on ? " 1" : " 0")); };
  };
  auto note = [this](const char* name) { return [this, name](TObject*) { Seen.push_back(name); }; };
  Port->OnCTSChange = signal("CTS");
  Port->OnDSRChange = signal("DSR");
  Port->OnRLSDChange = signal("RLSD");
  Port->OnRing = note("Ring");
  Port->OnBreak = note("Break");
  Port->OnTxEmpty = note("TxEmpty");
  Port->OnRxFlag = note("RxFlag");
  Port->OnRx80Full = note("Rx80Full");
  Port->OnBeforeOpen = note("BeforeOpen");
  Port->OnAfterOpen = note("AfterOpen");
  Port->OnBeforeClose = note("BeforeClose");
  Port->OnAfterClose = note("AfterClose");
  Port->OnRxChar = [this](TObject*, int n) { Seen.push_back("RxChar " + std::to_string(n)); };
  Port->OnError = [this](TObject*, TComErrors e) { Seen.push_back("Error " + std::to_string(e)); };
}
