#include "tests/e2e/support/program_fixture.h"

#include "tests/support/scratch_folder.h"

#include <shlobj.h>

void ProgramFixture::SetUp() {
  ASSERT_TRUE(Lines.Ok()) << "run through tests/serial/lines/run_with_lines.sh";
  for (auto line : {TLineFile::CTS, TLineFile::DSR, TLineFile::DCD, TLineFile::RI}) Lines.Set(line, false);
  // Closing a port leaves its lines as they were: DTR high means "opened by this test".
  Lines.ClearOutputs();
  wchar_t appData[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData), S_OK);
  dataFolder = String(appData) + L"\\drovik\\kelvraadapter\\";
  ForceDirectories(dataFolder);
  logFile = dataFolder + L"credits.txt";
  ClearFiles();
  // Every key the program knows, so that no default or backup fills one in:
  // the validator on COM5, the port open, one credit a pulse, a log per payment.
  FSettings = {{"comport", "5"},       {"channel1", "1"},        {"poll", "1"},
               {"totalblocking", "0"}, {"playsound", "0"},       {"cashid", "0"},
               {"credits", "0"},       {"log", "appdata"},       {"logtotal", "0"},
               {"logtotalpure", "0"},  {"autostartonboot", "0"}, {"checklogsize", "0"},
               {"execute", "0"},       {"executefile", ""},      {"pass", "Tarvelin"}};
}

void ProgramFixture::TearDown() {
  window.reset();
  program.reset();  // ends a program that is still running
  ClearFiles();
}

void ProgramFixture::ClearFiles() const {
  for (const wchar_t* name : {L"data.txt", L"data_last.txt", L"credits.txt"}) {
    SetFileAttributesW((dataFolder + name).c_str(), FILE_ATTRIBUTE_NORMAL);  // a test may have made it read-only
    DeleteFile(dataFolder + name);
  }
}

void ProgramFixture::Set(const std::string& key, const std::string& value) {
  for (auto& [k, v] : FSettings)
    if (k == key) {
      v = value;
      return;
    }
  FSettings.emplace_back(key, value);
}

void ProgramFixture::Start() {
  WriteSettings();
  Launch();
}

void ProgramFixture::WriteSettings() {
  std::string data = "[data]\r\n";
  for (const auto& [k, v] : FSettings) data += k + "=" + v + "\r\n";
  Write(dataFolder + L"data.txt", data);
}

void ProgramFixture::Launch() {
  program = std::make_unique<TChildProcess>(L"\"" + TChildProcess::ProgramPath() + L"\"");
  HWND form = TMainWindow::WaitForForm(program->Id());
  ASSERT_TRUE(form) << "the program did not start";
  window = std::make_unique<TMainWindow>(form);
}

void ProgramFixture::Close() {
  ASSERT_TRUE(window);
  PostMessageW(window->Form(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(program->WaitForExit(kPatienceMs)) << "the program did not close";
  window.reset();
}

void ProgramFixture::Pulse(int count) {
  for (int i = 0; i < count; ++i) EXPECT_TRUE(Lines.PulseCtsSeen(50, 50)) << "the port did not read the line";
}

bool ProgramFixture::WaitForLogLines(size_t count) {
  return WaitUntil([&] { return SplitLines(StringToAnsi(window->LogView())).size() >= count; });
}

std::string ProgramFixture::DataValue(const std::string& key) const {
  std::string data;
  try {
    data = Read(dataFolder + L"data.txt");
  } catch (const std::exception&) {
    return "<unreadable>";  // between a delete and a write of the program's
  }
  for (const std::string& line : SplitLines(data))
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  return "<missing>";
}

std::vector<std::string> ProgramFixture::LogLines() const { return SplitLines(Read(logFile)); }

std::string ProgramFixture::Read(const String& path) { return ScratchFolder::ReadBytes(path); }
void ProgramFixture::Write(const String& path, const std::string& bytes) { ScratchFolder::WriteBytes(path, bytes); }

std::vector<std::string> ProgramFixture::SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}
