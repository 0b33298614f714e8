#pragma once
// A main window started in this process over the prefix's real data folder,
// which the fixture empties before and after each test.
#include "app/AppState.h"
#include "app/MainForm.h"
#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

class FormFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  TForm1* Start();
  void Write(const String& path, const std::string& text) { ScratchFolder::WriteBytes(path, text); }
  std::string Read(const String& path) { return ScratchFolder::ReadBytes(path); }

  String dataFolder, exeFolder;
  TForm1* form = nullptr;

 private:
  void ClearFiles();
};
