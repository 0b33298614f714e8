#include "tests/app/support/form_fixture.h"

#include "app/ShellFolders.h"
#include "framework/Application.h"

#include <shlobj.h>

void FormFixture::SetUpTestSuite() { InitApplication(); }

void FormFixture::SetUp() {
  dataFolder = GetSpecialFolderPath(nullptr, CSIDL_APPDATA) + L"\\drovik\\kelvraadapter\\";
  exeFolder = ExtractFilePath(ParamStr(0));
  ForceDirectories(dataFolder);
  ClearFiles();
}

void FormFixture::TearDown() {
  delete form;
  form = nullptr;
  ClearFiles();
}

void FormFixture::ClearFiles() {
  for (const wchar_t* name : {L"data.txt", L"data_last.txt", L"credits.txt"}) DeleteFile(dataFolder + name);
  DeleteFile(exeFolder + L"data_clean.txt");
}

TForm1* FormFixture::Start() {
  App = TAppState{};
  form = Application->CreateForm<TForm1>();
  return form;
}
