// Start-up of the main window from data.txt, and the save back to it.
#include "app/AppState.h"
#include "app/MainForm.h"
#include "app/ShellFolders.h"
#include "framework/Application.h"
#include "skin/controls/ItemsPopupForm.h"
#include "tests/app/support/box_answerer.h"
#include "tests/app/support/form_fixture.h"
#include "tests/support/wait_until.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>

namespace {

const std::string kDefaults =
    "[data]\r\ncomport=2\r\nchannel1=5\r\npoll=0\r\ntotalblocking=0\r\nplaysound=1\r\ncashid=0\r\n"
    "credits=0\r\nlog=appdata\r\nlogtotal=0\r\nlogtotalpure=0\r\nautostartonboot=0\r\nchecklogsize=0\r\n"
    "execute=0\r\npass=1234\r\n";

class StartUp : public FormFixture {
 protected:
  // As the user's choice with the keys: the selection and its change event.
  void ChoosePort(int number) { form->ComboBoxCOM->SelectItem(number - 1); }
  std::vector<String> LogViewLines() {
    std::vector<String> lines;
    for (int i = 0; i < form->MemoLog->Lines().Count(); ++i) lines.push_back(form->MemoLog->Lines().Get(i));
    return lines;
  }
};

TEST_F(StartUp, FirstStartTakesTheDefaultsWithoutAMessage) {
  Write(exeFolder + L"data_clean.txt", kDefaults);
  Start();
  EXPECT_EQ(App.DataFolder, dataFolder);
  EXPECT_EQ(App.ExeFolder, exeFolder);
  EXPECT_EQ(App.ComPortNumber, 2);
  EXPECT_EQ(form->ComboBoxCOM->Text(), L"COM-2");
  EXPECT_EQ(form->PulseValue->Value(), 5);
  EXPECT_TRUE(form->cbPlaySound->Checked());
  EXPECT_EQ(form->sEditServicePassword->Text(), L"1234");
  EXPECT_EQ(form->sFilenameEditLogfile->Text(), dataFolder + L"credits.txt");
  EXPECT_FALSE(App.Loading);
  // The repair wrote data.txt without a [data] line; nothing else was saved.
  EXPECT_EQ(Read(dataFolder + L"data.txt").substr(0, 10), "comport=2\r");
}

struct ValueCase {
  const char* line;
  int32_t port;
  int itemIndex;
  String comboText;
};

TEST_F(StartUp, OddPortValues) {
  const ValueCase cases[] = {
      {"comport=0", 0, -1, L""},
      {"comport=abc", 1, 0, L"COM-1"},
      {"comport= ", 1, 0, L"COM-1"},
      {"comport=10", 10, 9, L"COM-10"},
  };
  for (const auto& c : cases) {
    Write(dataFolder + L"data.txt", std::string("[data]\r\n") + c.line + "\r\n");
    Start();
    EXPECT_EQ(App.ComPortNumber, c.port) << c.line;
    EXPECT_EQ(form->ComboBoxCOM->ItemIndex(), c.itemIndex) << c.line;
    EXPECT_EQ(form->ComboBoxCOM->Text(), c.comboText) << c.line;
    delete form;
    form = nullptr;
  }
}

TEST_F(StartUp, SingleBlanksGiveTheBuiltInDefaults) {
  Start();  // no data.txt, no backup, no defaults: the repair writes blanks
  EXPECT_EQ(App.ComPortNumber, 1);
  EXPECT_EQ(form->PulseValue->Value(), 1);
  for (TCheckBox* box : {form->cbPoll, form->cbTotalblocking, form->cbPlaySound, form->cbLogOnlyTotal,
                         form->cbLogOnlyTotalPure, form->cbCheckLogSize, form->cbAutostartOnBoot, form->cbExecute})
    EXPECT_FALSE(box->Checked()) << StringToUtf8(box->Name());
  EXPECT_EQ(App.Credits, 0);
  EXPECT_EQ(App.CashId, 0);
  EXPECT_EQ(form->sEditServicePassword->Text(), L" ");
  EXPECT_EQ(form->sFilenameEditLogfile->Text(), L" ");
  EXPECT_EQ(form->MemoLog->Lines().Count(), 0);
}

TEST_F(StartUp, BoxesAreCheckedOnlyByExactlyOne) {
  Write(dataFolder + L"data.txt",
        "[data]\r\nlogtotal=1\r\nlogtotalpure=01\r\nchecklogsize=true\r\nplaysound=1\r\n"
        "autostartonboot=1\r\nexecute= 1\r\ncredits=-12\r\ncashid=2147483647\r\n");
  Start();
  EXPECT_TRUE(form->cbLogOnlyTotal->Checked());
  EXPECT_FALSE(form->cbLogOnlyTotalPure->Checked());
  EXPECT_FALSE(form->cbCheckLogSize->Checked());
  EXPECT_TRUE(form->cbPlaySound->Checked());
  EXPECT_TRUE(form->cbAutostartOnBoot->Checked());
  EXPECT_FALSE(form->cbExecute->Checked());
  EXPECT_EQ(App.Credits, -12);
  EXPECT_EQ(form->LabelCredits->Caption(), L"-12");
  EXPECT_EQ(App.CashId, 2147483647);
  EXPECT_EQ(form->Label_ID->Caption(), L"2147483647");
}

TEST_F(StartUp, LogFromTheDataFolderIsShownAndAMissingProgramIsIgnored) {
  Write(dataFolder + L"credits.txt", "1,01.01.2026,10:00:00,0,1\r\n2,01.01.2026,10:00:05,0,1\r\n");
  // The saved id is the log's last: the log holds no payment data.txt lacks.
  Write(dataFolder + L"data.txt", "[data]\r\nlog=appdata\r\ncashid=2\r\nexecutefile=C:\\no\\such\\program.exe\r\n");
  Start();
  EXPECT_EQ(form->sFilenameEditLogfile->Text(), dataFolder + L"credits.txt");
  ASSERT_EQ(form->MemoLog->Lines().Count(), 2);
  EXPECT_EQ(form->MemoLog->Lines().Get(1), L"2,01.01.2026,10:00:05,0,1");
  EXPECT_EQ(form->sFilenameEditExecute->FileName(), L"");
}

TEST_F(StartUp, AnExistingProgramIsTaken) {
  const String program = exeFolder + L"hold_file.exe";
  Write(dataFolder + L"data.txt", "[data]\r\nexecutefile=" + StringToAnsi(program) + "\r\n");
  Start();
  EXPECT_EQ(form->sFilenameEditExecute->FileName(), program);
}

TEST_F(StartUp, SaveWritesEveryKeyKeepingTheFilesOrder) {
  Write(dataFolder + L"data.txt", "[data]\r\npass=secret\r\nforeign=kept\r\ncomport=3\r\n");
  Start();
  ChoosePort(5);
  form->PulseValue->SetValue(25);
  form->sEditServicePassword->SetText(L"");  // the line goes
  form->btnSaveSettings->Click();
  const std::string saved = Read(dataFolder + L"data.txt");
  EXPECT_EQ(saved,
            "[data]\r\nforeign=kept\r\ncomport=5\r\nchannel1=25\r\npoll=0\r\ntotalblocking=0\r\nplaysound=0\r\n"
            "cashid=0\r\ncredits=0\r\nlog= \r\nlogtotal=0\r\nlogtotalpure=0\r\nautostartonboot=0\r\n"
            "checklogsize=0\r\nexecute=0\r\n");
}

TEST_F(StartUp, ChangesWhileLoadingSaveNothing) {
  Write(dataFolder + L"data.txt", "[data]\r\nplaysound=1\r\nexecute=1\r\npass=x\r\n");
  Start();
  // Only the repair wrote data.txt during start: its lines are the file's own plus the filled keys.
  const std::string onDisk = Read(dataFolder + L"data.txt");
  EXPECT_EQ(onDisk.find("poll=0"), std::string::npos);
}

TEST_F(StartUp, TheSavedPortIsTheProgramsEvenWithTheDropDownListGone) {
  Write(dataFolder + L"data.txt", "[data]\r\ncomport=3\r\n");
  Start();
  ChoosePort(6);
  // taskkill closes every top-level window, the combo box's open list among
  // them, before the main window saves.
  form->ComboBoxCOM->DropDown();
  ASSERT_TRUE(form->ComboBoxCOM->PopupForm());
  SendMessageW(form->ComboBoxCOM->PopupForm()->Handle(), WM_CLOSE, 0, 0);
  form->SaveSettings();
  EXPECT_NE(Read(dataFolder + L"data.txt").find("comport=6\r\n"), std::string::npos);
}

struct UnreadableCountCase {
  const char* name;
  std::string line;                   // in data.txt
  std::optional<std::string> backup;  // data_last.txt; nullopt: none
  int32_t credits, cashId;
  String note;  // what the log view says below the log
};

TEST_F(StartUp, AnUnreadableCountTakesTheBackupsAndSaysSo) {
  const UnreadableCountCase cases[] = {
      {"20 digits, backup readable", "credits=99999999999999999999", "[data]\r\ncredits=41\r\ncashid=5\r\n", 41, 5,
       L"credits \"99999999999999999999\" in data.txt is unreadable! Using 41 from data_last.txt."},
      {"beyond 32 bits, backup unreadable", "cashid=2147483648", "[data]\r\ncredits=7\r\ncashid=x\r\n", 7, 0,
       L"cashid \"2147483648\" in data.txt is unreadable! Using 0."},
      {"a NUL inside, no backup",
       std::string("credits=1\0"
                   "2",
                   11),
       std::nullopt, 0, 0, L"credits \"1?2\" in data.txt is unreadable! Using 0."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFile(dataFolder + L"data_last.txt");
    if (c.backup) Write(dataFolder + L"data_last.txt", *c.backup);
    Write(dataFolder + L"credits.txt", "1,01.01.2026,10:00:00,0,1\r\n");
    Write(dataFolder + L"data.txt", "[data]\r\nlog=appdata\r\n" + c.line + "\r\n");
    Start();
    EXPECT_EQ(App.Credits, c.credits);
    EXPECT_EQ(App.CashId, c.cashId);
    EXPECT_EQ(form->LabelCredits->Caption(), IntToStr(c.credits));
    EXPECT_EQ(LogViewLines(), (std::vector<String>{L"1,01.01.2026,10:00:00,0,1", c.note}));
    // The backup was not overwritten with the damaged file.
    if (c.backup) EXPECT_EQ(Read(dataFolder + L"data_last.txt"), *c.backup);
    form->SaveSettings();
    const std::string saved = Read(dataFolder + L"data.txt");
    EXPECT_NE(saved.find("credits=" + std::to_string(c.credits) + "\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("cashid=" + std::to_string(c.cashId) + "\r\n"), std::string::npos) << saved;
    delete form;
    form = nullptr;
  }
}

TEST_F(StartUp, AFailingSaveIsToldOnceInTheLogView) {
  Write(dataFolder + L"data.txt", "[data]\r\ncredits=40\r\n");
  const String dataFile = dataFolder + L"data.txt";
  SetFileAttributesW(dataFile.c_str(), FILE_ATTRIBUTE_READONLY);
  Start();
  const int before = form->MemoLog->Lines().Count();
  EXPECT_NO_THROW(form->btnSaveSettings->Click());
  EXPECT_NO_THROW(form->btnSaveSettings->Click());
  const std::vector<String> lines = LogViewLines();
  ASSERT_EQ(lines.size(), size_t(before) + 1);
  EXPECT_EQ(lines.back().rfind(L"Settings and credits could not be saved! ", 0), 0u) << StringToUtf8(lines.back());
  EXPECT_NE(lines.back().find(L"data.txt"), String::npos);
  // Once the file takes writes again, a new failure is told anew.
  SetFileAttributesW(dataFile.c_str(), FILE_ATTRIBUTE_NORMAL);
  form->btnSaveSettings->Click();
  SetFileAttributesW(dataFile.c_str(), FILE_ATTRIBUTE_READONLY);
  form->btnSaveSettings->Click();
  EXPECT_EQ(form->MemoLog->Lines().Count(), before + 2);
  SetFileAttributesW(dataFile.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(StartUp, DataFileStillMissingIsRecreatedFromTheSecondRepairAndToldAfterStartUp) {
  // The backup cannot be read during the first repair (another program holds
  // it), so no data.txt comes of it; the holder lets go once the program has
  // written data.txt anew, before the second repair reads the backup.
  Write(dataFolder + L"data_last.txt", "[data]\r\ncomport=7\r\ncredits=41\r\ncashid=9\r\n");
  HANDLE held = CreateFileW((dataFolder + L"data_last.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const String dataFile = dataFolder + L"data.txt";
  std::atomic<bool> started{false};
  std::thread holder([&] {
    while (!started && !FileExists(dataFile)) Sleep(10);
    CloseHandle(held);
  });
  TBoxAnswerer answer(L"Information", L"Error with data file!");
  Start();
  started = true;
  holder.join();
  // Nothing waited for an OK while the window was made: the message shows
  // once the message loop runs.
  EXPECT_EQ(answer.Seen, 0);
  EXPECT_EQ(form->StartupMessages().Waiting(), 1u);
  EXPECT_TRUE(WaitUntil([&] { return answer.Seen == 1; }));
  EXPECT_EQ(form->StartupMessages().Waiting(), 0u);

  // The controls show what the second repair recovered, so the first save
  // keeps the credits.
  EXPECT_EQ(App.ComPortNumber, 7);
  EXPECT_EQ(App.Credits, 41);
  EXPECT_EQ(App.CashId, 9);
  form->SaveSettings();
  const std::string saved = Read(dataFolder + L"data.txt");
  EXPECT_NE(saved.find("credits=41\r\n"), std::string::npos);
  EXPECT_EQ(saved.substr(0, 8), "[data]\r\n");
}

TEST(CommandLine, OnlyHideOrSlashHideExactlyStartsHidden) {
  const std::pair<const wchar_t*, bool> cases[] = {
      {L"hide", true},   {L"/hide", true}, {L"HIDE", false},  {L"/Hide", false},
      {L"-hide", false}, {L"", false},     {L"hide ", false}, {L"/acpreview", false},
  };
  for (const auto& [arg, hidden] : cases) EXPECT_EQ(StartsHidden(arg), hidden) << StringToUtf8(arg);
}

}  // namespace

namespace {

using WindowCommands = FormFixture;

TEST_F(WindowCommands, VersionPasswordDisplayAndHide) {
  // The version resource travels with every program that has the main window.
  EXPECT_EQ(GetFileVersionText(), L"1.0.0.1");
  EXPECT_FALSE(IsWow64());

  Start();
  form->Show();
  EXPECT_EQ(SendMessageW(form->sEditServicePassword->Handle(), EM_GETPASSWORDCHAR, 0, 0), L'#');
  form->cbShowPassword->SetChecked(true);
  EXPECT_EQ(SendMessageW(form->sEditServicePassword->Handle(), EM_GETPASSWORDCHAR, 0, 0), 0);
  form->cbShowPassword->SetChecked(false);
  EXPECT_EQ(SendMessageW(form->sEditServicePassword->Handle(), EM_GETPASSWORDCHAR, 0, 0), L'#');

  // Hide keeps the window shown, below the screen.
  if (!form->ServiceHotKeyTaken()) {
    form->btnHide->Click();
    RECT r;
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.top, 4000);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
  }
}

}  // namespace
