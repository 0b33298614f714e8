#pragma once
// A test that runs the real kelvra.exe over the prefix's real data folder,
// with the validator simulated on COM5 (see tests/serial/lines). The fixture
// writes data.txt before the start and empties the folder afterwards.
#include "tests/e2e/support/main_window.h"
#include "tests/serial/lines/line_file.h"
#include "tests/support/child_process.h"
#include "tests/support/wait_until.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

class ProgramFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The settings data.txt gets at the next Start; a test changes what it needs.
  void Set(const std::string& key, const std::string& value);
  // Starts the program and waits until its main window shows.
  void Start();
  // The two halves of Start, for a test that does something in between.
  void WriteSettings();
  void Launch();
  // Closes the main window as the user does and waits until the program ends.
  void Close();

  // One payment: CTS on and off again, each held until the port read it.
  void Pulse(int count = 1);
  // Until the log view shows that many lines.
  bool WaitForLogLines(size_t count);

  // What the program wrote: a value of data.txt, the lines of credits.txt.
  std::string DataValue(const std::string& key) const;
  std::vector<std::string> LogLines() const;

  static std::string Read(const String& path);
  static void Write(const String& path, const std::string& bytes);
  static std::vector<std::string> SplitLines(const std::string& text);

  String dataFolder;  // %APPDATA%\drovik\kelvraadapter\, with backslash
  String logFile;     // credits.txt in it
  TLineFile Lines;
  std::unique_ptr<TChildProcess> program;
  std::unique_ptr<TMainWindow> window;

 private:
  void ClearFiles() const;
  std::vector<std::pair<std::string, std::string>> FSettings;
};
