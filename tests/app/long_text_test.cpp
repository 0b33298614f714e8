// A settings file with a very long line: the start and the save take time in
// proportion to it, and the save keeps that line whole.
#include "app/MainForm.h"
#include "tests/app/support/form_fixture.h"

#include <gtest/gtest.h>

namespace {

using LongSettings = FormFixture;

TEST_F(LongSettings, StartAndSaveTakeBoundedTimeAndKeepTheLine) {
  const std::string longLine(10 << 20, 'n');
  Write(dataFolder + L"data.txt", "[data]\r\ncomport=2\r\npoll=0\r\n" + longLine + "\r\ncredits=7\r\n");
  ULONGLONG t0 = GetTickCount64();
  Start();
  const ULONGLONG startMs = GetTickCount64() - t0;
  t0 = GetTickCount64();
  form->SaveSettings();
  const ULONGLONG saveMs = GetTickCount64() - t0;
  // Both take a second or two; a window laying out the line takes minutes.
  EXPECT_LT(startMs, 30000u);
  EXPECT_LT(saveMs, 30000u);
  const std::string data = Read(dataFolder + L"data.txt");
  EXPECT_NE(data.find("\r\n" + longLine + "\r\n"), std::string::npos);
  EXPECT_NE(data.find("credits=7\r\n"), std::string::npos);
}

}  // namespace
