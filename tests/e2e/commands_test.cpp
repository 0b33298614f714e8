// The window's commands through the real program: the clear buttons and the
// start-up registration.
#include "tests/e2e/support/program_fixture.h"

namespace {

using Commands = ProgramFixture;

TEST_F(Commands, ClearButtonsClearWhatTheyName) {
  Set("credits", "40");
  Set("cashid", "9");
  Write(logFile, "8,01.01.2026,10:00:00,0,1\r\n9,01.01.2026,10:00:01,0,1\r\n");
  Start();

  window->Click(L"Clear ID");
  EXPECT_EQ(DataValue("cashid"), "0");
  EXPECT_EQ(DataValue("credits"), "40");
  window->Click(L"Clear Credits");
  EXPECT_EQ(DataValue("credits"), "0");
  EXPECT_EQ(LogLines().size(), 2u);
  window->Click(L"Clear Log");
  EXPECT_EQ(Read(logFile), "");
  EXPECT_EQ(window->LogView(), L"");

  Pulse();
  ASSERT_TRUE(WaitForLogLines(1));
  Close();
  EXPECT_EQ(DataValue("credits"), "1");
  EXPECT_EQ(DataValue("cashid"), "1");
  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].substr(0, 2), "1,");
}

class Autostart : public ProgramFixture {
 protected:
  static constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  static constexpr wchar_t kValue[] = L"!KelvraAdapter";
  void SetUp() override {
    ProgramFixture::SetUp();
    Remove();
  }
  void TearDown() override {
    ProgramFixture::TearDown();
    Remove();
  }
  static void Remove() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kValue); }
  // The Run value; "<none>" when there is none.
  static String RunValue() {
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kValue, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
      return L"<none>";
    return data;
  }
  String ImagePath() const {
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameW(program->Process(), 0, path, &size);
    return path;
  }
};

TEST_F(Autostart, TheBoxWritesAndRemovesTheRunValue) {
  Start();
  EXPECT_EQ(RunValue(), L"<none>") << "loading the settings must not touch it";
  window->Click(L"Autostart on Windows boot");
  EXPECT_EQ(RunValue(), L"\"" + ImagePath() + L"\" /hide");
  window->Click(L"Autostart on Windows boot");
  EXPECT_EQ(RunValue(), L"<none>");
  Close();
}

}  // namespace
