// The repair of data.txt from its backup and the defaults, and how values
// are read back.
#include "app/SettingKeys.h"
#include "app/SettingsFile.h"
#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct RepairCase {
  const char* name;
  std::optional<std::string> data, backup, defaults;           // file contents; nullopt = no file
  std::string expectedData;                                    // nullopt never: the repair always writes
  std::optional<std::string> expectedDefaults = std::nullopt;  // when the repair rewrites it
  bool refreshesBackup = false;                                // only a data.txt that read whole replaces the backup
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

const std::string kAllDefaults =
    "[data]\r\ncomport=2\r\nchannel1=5\r\npoll=0\r\ntotalblocking=1\r\nplaysound=0\r\ncashid=0\r\n"
    "credits=0\r\nlog=appdata\r\nlogtotal=0\r\nlogtotalpure=0\r\nautostartonboot=0\r\nchecklogsize=0\r\n"
    "execute=0\r\npass=1234\r\n";

const RepairCase kRepairCases[] = {
    {"first start: from the backup, then the defaults, without a [data] line", std::nullopt,
     std::string("[data]\r\ncomport=3\r\ncredits=17\r\n"), kAllDefaults,
     "comport=3\r\nchannel1=5\r\npoll=0\r\ntotalblocking=1\r\nplaysound=0\r\ncashid=0\r\ncredits=17\r\n"
     "log=appdata\r\nlogtotal=0\r\nlogtotalpure=0\r\nautostartonboot=0\r\nchecklogsize=0\r\nexecute=0\r\n"
     "pass=1234\r\n"},
    {"no source at all: single blanks", std::nullopt, std::nullopt, std::nullopt,
     "comport= \r\nchannel1= \r\npoll= \r\ntotalblocking= \r\nplaysound= \r\ncashid= \r\ncredits= \r\n"
     "log= \r\nlogtotal= \r\nlogtotalpure= \r\nautostartonboot= \r\nchecklogsize= \r\nexecute= \r\npass= \r\n"},
    {"existing keys and their order are kept; a new key is appended; executefile stays absent",
     std::string("[data]\r\npass=abc\r\ncomport=4\r\n"), std::nullopt, std::string("channel1=9\r\n"),
     "[data]\r\npass=abc\r\ncomport=4\r\nchannel1=9\r\npoll= \r\ntotalblocking= \r\nplaysound= \r\n"
     "cashid= \r\ncredits= \r\nlog= \r\nlogtotal= \r\nlogtotalpure= \r\nautostartonboot= \r\n"
     "checklogsize= \r\nexecute= \r\n"},
    {"an empty value is filled under the key's own spelling; keys match without regard to case",
     std::string("[data]\r\nCOMPORT=\r\nCredits=8\r\n"), std::string("comport=6\r\ncredits=1\r\n"), std::nullopt,
     "[data]\r\ncomport=6\r\nCredits=8\r\nchannel1= \r\npoll= \r\ntotalblocking= \r\nplaysound= \r\n"
     "cashid= \r\nlog= \r\nlogtotal= \r\nlogtotalpure= \r\nautostartonboot= \r\nchecklogsize= \r\n"
     "execute= \r\npass= \r\n"},
    {"two trailing empty lines go, a third stays; a blank first line gets [data] above it",
     std::string(" \r\nexecutefile=x\r\n\r\n\r\n\r\n"), std::nullopt, std::nullopt,
     "[data]\r\n \r\nexecutefile=x\r\n\r\ncomport= \r\nchannel1= \r\npoll= \r\ntotalblocking= \r\n"
     "playsound= \r\ncashid= \r\ncredits= \r\nlog= \r\nlogtotal= \r\nlogtotalpure= \r\n"
     "autostartonboot= \r\nchecklogsize= \r\nexecute= \r\npass= \r\n"},
    {"a [data] line with blanks around it is kept as it is", std::string("  [data] \r\ncomport=1\r\n"), std::nullopt,
     std::nullopt,
     "  [data] \r\ncomport=1\r\nchannel1= \r\npoll= \r\ntotalblocking= \r\nplaysound= \r\ncashid= \r\n"
     "credits= \r\nlog= \r\nlogtotal= \r\nlogtotalpure= \r\nautostartonboot= \r\nchecklogsize= \r\n"
     "execute= \r\npass= \r\n"},
    {"defaults ending with empty lines are rewritten without two of them", std::nullopt, std::nullopt,
     std::string("pass=0000\r\n\r\n\r\n\r\n"),
     "comport= \r\nchannel1= \r\npoll= \r\ntotalblocking= \r\nplaysound= \r\ncashid= \r\ncredits= \r\n"
     "log= \r\nlogtotal= \r\nlogtotalpure= \r\nautostartonboot= \r\nchecklogsize= \r\nexecute= \r\n"
     "pass=0000\r\n",
     std::string("pass=0000\r\n\r\n")},
    {"a whole data.txt refreshes the backup", kAllDefaults, std::string("[data]\r\ncredits=3\r\n"), std::nullopt,
     kAllDefaults, std::nullopt, true},
    // Damaged, though every key is there: the backup keeps what it had.
    {"credits of 20 digits", Replaced(kAllDefaults, "credits=0", "credits=99999999999999999999"),
     std::string("[data]\r\ncredits=3\r\n"), std::nullopt,
     Replaced(kAllDefaults, "credits=0", "credits=99999999999999999999")},
    {"cashid beyond 32 bits", Replaced(kAllDefaults, "cashid=0", "cashid=2147483648"),
     std::string("[data]\r\ncashid=3\r\n"), std::nullopt, Replaced(kAllDefaults, "cashid=0", "cashid=2147483648")},
    {"credits with a NUL inside",
     Replaced(kAllDefaults, "credits=0",
              std::string("credits=1\0"
                          "2",
                          11)),
     std::string("[data]\r\ncredits=3\r\n"), std::nullopt,
     Replaced(kAllDefaults, "credits=0",
              std::string("credits=1\0"
                          "2",
                          11))},
    {"a flag that is neither 0 nor 1", Replaced(kAllDefaults, "poll=0", "poll=\x01"), std::string("[data]\r\n"),
     std::nullopt, Replaced(kAllDefaults, "poll=0", "poll=\x01")},
    {"a key gone", Replaced(kAllDefaults, "comport=2\r\n", ""), std::string("[data]\r\ncomport=4\r\n"), std::nullopt,
     Replaced(kAllDefaults, "comport=2\r\n", "") + "comport=4\r\n"},
};

class Repair : public ::testing::TestWithParam<RepairCase> {};

TEST_P(Repair, FillsMissingKeysAndWritesDataAndBackup) {
  const RepairCase& c = GetParam();
  ScratchFolder dataFolder, exeFolder;
  if (c.data) ScratchFolder::WriteBytes(dataFolder.File(L"data.txt"), *c.data);
  if (c.backup) ScratchFolder::WriteBytes(dataFolder.File(L"data_last.txt"), *c.backup);
  if (c.defaults) ScratchFolder::WriteBytes(exeFolder.File(L"data_clean.txt"), *c.defaults);

  RepairSettingsFile(dataFolder.Path(), exeFolder.Path());

  EXPECT_EQ(ScratchFolder::ReadBytes(dataFolder.File(L"data.txt")), c.expectedData);
  const std::optional<std::string> expectedBackup = c.refreshesBackup ? c.expectedData : c.backup;
  if (expectedBackup)
    EXPECT_EQ(ScratchFolder::ReadBytes(dataFolder.File(L"data_last.txt")), *expectedBackup);
  else
    EXPECT_FALSE(FileExists(dataFolder.File(L"data_last.txt")));
  if (c.expectedDefaults) {
    EXPECT_EQ(ScratchFolder::ReadBytes(exeFolder.File(L"data_clean.txt")), *c.expectedDefaults);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Repair, ::testing::ValuesIn(kRepairCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(RepairOfAnIntactFile, LeavesItAsItWasTimeAndAll) {
  // The file's time tells the start when the counters were last saved.
  ScratchFolder dataFolder, exeFolder;
  const String data = dataFolder.File(L"data.txt");
  ScratchFolder::WriteBytes(data, kAllDefaults);
  const FILETIME saved{0x1D5C000u, 0x1D5C0D4u};  // some day in 2020
  {
    const TOwnedHandle file(CreateFileW(data.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file && SetFileTime(file.get(), nullptr, nullptr, &saved));
  }
  RepairSettingsFile(dataFolder.Path(), exeFolder.Path());
  WIN32_FILE_ATTRIBUTE_DATA after;
  ASSERT_TRUE(GetFileAttributesExW(data.c_str(), GetFileExInfoStandard, &after));
  EXPECT_EQ(CompareFileTime(&after.ftLastWriteTime, &saved), 0);
  EXPECT_EQ(ScratchFolder::ReadBytes(data), kAllDefaults);
  EXPECT_EQ(ScratchFolder::ReadBytes(dataFolder.File(L"data_last.txt")), kAllDefaults);
}

TEST(RepairFailure, IsSwallowedAndLeavesWhatItGot) {
  ScratchFolder exeFolder;
  // A data folder that cannot be written: the repair must not raise.
  EXPECT_NO_THROW(RepairSettingsFile(L"Q:\\no\\such\\drive\\", exeFolder.Path()));
}

struct ReadCase {
  const wchar_t* value;  // nullptr: no line at all
  int asPort;            // a number, 1 when absent or unreadable
  bool asFlag;           // checked only by exactly "1"
};

TEST(SettingValues, ReadAsTheFormExpects) {
  const TSettingKey* port = nullptr;
  const TSettingKey* poll = nullptr;
  for (const TSettingKey& key : SettingKeys()) {
    if (String(key.Name) == L"comport") port = &key;
    if (String(key.Name) == L"poll") poll = &key;
  }
  ASSERT_TRUE(port && poll);
  const ReadCase cases[] = {
      {nullptr, 1, false}, {L" ", 1, false},   {L"0", 0, false},  {L"abc", 1, false}, {L"1", 1, true},
      {L"01", 1, false},   {L"-5", -5, false}, {L"3 ", 1, false}, {L"$A", 10, false}, {L"2147483648", 1, false},
  };
  for (const auto& c : cases) {
    TStringList data;
    data.Add(L"[data]");
    if (c.value) {
      data.Add(String(L"comport=") + c.value);
      data.Add(String(L"poll=") + c.value);
    }
    const std::string label = c.value ? StringToUtf8(c.value) : "(absent)";
    EXPECT_EQ(StrToInt(SettingValue(data, *port)), c.asPort) << label;
    EXPECT_EQ(SettingValue(data, *poll) == L"1", c.asFlag) << label;
  }
}

TEST(SettingKeysTable, TheRepairKeepsItsOrderAndLeavesExecutefile) {
  const std::vector<String> expected = {
      L"comport", L"channel1", L"poll",         L"totalblocking",   L"playsound",    L"cashid",  L"credits",
      L"log",     L"logtotal", L"logtotalpure", L"autostartonboot", L"checklogsize", L"execute", L"pass"};
  EXPECT_EQ(RepairedKeys(), expected);
}

}  // namespace
