#pragma once
// A port on the in-process fake, with the application object present so
// errors have their display, and a record of what the handlers saw.
#include "tests/serial/support/fake_comm.h"
#include "serial/ComPort.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class PortFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Records every event as a short text ("CTS 1", "BeforeClose", ...).
  void RecordAll();
  TFakeComm Fake;
  std::unique_ptr<TComPort> Port;
  std::vector<std::string> Seen;
  std::vector<std::string> Errors;  // what reached the exception display
};
