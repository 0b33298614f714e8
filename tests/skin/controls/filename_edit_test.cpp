// The file-name edit: the FileName check, the dialog preset from the text,
// the events around the dialog, and files dropped from the shell.
#include "skin/controls/FilenameEdit.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "tests/support/dialog_answerer.h"
#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

#include <shellapi.h>
#include <shlobj.h>

#include <functional>
#include <vector>

namespace {

// Runs Show while a second thread presses Cancel on the first dialog box of
// this process that appears (the file dialog or a message box); true when
// one appeared.
bool RunAndCancelDialog(const std::function<void()>& Show, String* Caption = nullptr) {
  String Title;
  const bool Seen = RunAndAnswerDialog(Show, [&](HWND Box) {
    wchar_t Buffer[256] = {};
    GetWindowTextW(Box, Buffer, 256);
    Title = Buffer;
    PostMessageW(Box, WM_COMMAND, IDCANCEL, 0);
    return true;
  });
  if (Caption) *Caption = Title;
  return Seen;
}

// A drop of these paths, as the shell hands it over.
HDROP MakeDrop(const std::vector<String>& Paths) {
  size_t Chars = 1;
  for (auto& p : Paths) Chars += p.size() + 1;
  HGLOBAL Memory = GlobalAlloc(GHND, sizeof(DROPFILES) + Chars * sizeof(wchar_t));
  auto* Files = static_cast<DROPFILES*>(GlobalLock(Memory));
  Files->pFiles = sizeof(DROPFILES);
  Files->fWide = TRUE;
  auto* At = reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(Files) + sizeof(DROPFILES));
  for (auto& p : Paths) {
    std::copy(p.begin(), p.end(), At);
    At += p.size() + 1;
  }
  GlobalUnlock(Memory);
  return static_cast<HDROP>(Memory);
}

class FilenameEditTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(100, 100, 360, 200);
    Edit = new TsFilenameEdit(Form.get());
    Edit->SetParent(Form.get());
    Edit->SetBounds(10, 10, 250, 21);
    Form->Show();
  }
  std::unique_ptr<TForm> Form;
  TsFilenameEdit* Edit = nullptr;
};

TEST_F(FilenameEditTest, FileNameRefusesImpossiblePaths) {
  Edit->SetFileName(L"C:\\logs\\credits.txt");
  struct {
    const wchar_t* Name;
    bool Refused;
  } Cases[] = {{L"", false}, {L"C:\\logs\\a|b.txt", true}, {L"what?.txt", true}, {L"C:\\logs\\x.txt", false}};
  for (auto& c : Cases) {
    const String Before = Edit->FileName();
    if (c.Refused) {
      try {
        Edit->SetFileName(c.Name);
        ADD_FAILURE() << "accepted";
      } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), L"Invalid file name");
      }
      EXPECT_EQ(Edit->FileName(), Before);
    } else {
      Edit->SetFileName(c.Name);
      EXPECT_EQ(Edit->FileName(), c.Name);
    }
  }
}

TEST_F(FilenameEditTest, StartsAsTheProgramExpects) {
  EXPECT_EQ(Edit->MaxLength(), 255);
  EXPECT_EQ(Edit->DefaultGlyphIndex(), 0);
  EXPECT_TRUE(Edit->CheckOnExit());
  EXPECT_EQ(Edit->Filter(), L"All files (*.*)|*.*");
  EXPECT_EQ(Edit->DialogOptions(), ofHideReadOnly | ofEnableSizing);
  EXPECT_NE(dynamic_cast<TsOpenDialog*>(&Edit->Dialog()), nullptr);
  EXPECT_EQ(dynamic_cast<TsOpenDialog&>(Edit->Dialog()).ZipShowing(), TsZipShowing::zsAsFile);
}

TEST_F(FilenameEditTest, BeforeDialogSeesTheTextAndMayPreventTheDialog) {
  Edit->SetFileName(L"C:\\logs\\credits.txt");
  String Proposed;
  int After = 0;
  Edit->OnBeforeDialog = [&](TObject*, String& Name, bool& Action) {
    Proposed = Name;
    Action = false;
  };
  Edit->OnAfterDialog = [&](TObject*, String&, bool&) { ++After; };
  EXPECT_FALSE(RunAndCancelDialog([&] { Edit->ButtonClick(); }));
  EXPECT_EQ(Proposed, L"C:\\logs\\credits.txt");
  EXPECT_EQ(After, 0);
  EXPECT_EQ(Edit->FileName(), L"C:\\logs\\credits.txt");
}

TEST_F(FilenameEditTest, TheDialogIsPresetFromTheText) {
  ScratchFolder Folder;
  struct {
    String Text;
    String FileName;
    String InitialDir;
  } Cases[] = {{L"credits.txt", L"credits.txt", L""},
               {Folder.Path(), L"", Folder.Path()},
               {Folder.Path() + L"log.txt", Folder.Path() + L"log.txt", Folder.Path()}};
  for (auto& c : Cases) {
    Edit->SetInitialDir(String());
    Edit->SetFileName(c.Text);
    String AfterName = L"unset";
    bool AfterAction = true;
    Edit->OnAfterDialog = [&](TObject*, String& Name, bool& Action) { AfterName = Name, AfterAction = Action; };
    EXPECT_TRUE(RunAndCancelDialog([&] { Edit->ButtonClick(); }));
    EXPECT_EQ(Edit->Dialog().FileName(), c.FileName);
    EXPECT_EQ(Edit->InitialDir(), c.InitialDir);
    // Cancelled: the text stays, the after-event hears so.
    EXPECT_FALSE(AfterAction);
    EXPECT_EQ(AfterName, L"");
    EXPECT_EQ(Edit->FileName(), c.Text);
  }
}

TEST_F(FilenameEditTest, ChangingTheKindKeepsTheSettings) {
  Edit->SetFilter(L"Logs (*.txt)|*.txt");
  Edit->SetInitialDir(L"C:\\logs\\");
  Edit->Dialog().SetFileName(L"credits.txt");
  Edit->SetDialogKind(TFileDialogKind::dkSave);
  EXPECT_NE(dynamic_cast<TsSaveDialog*>(&Edit->Dialog()), nullptr);
  EXPECT_EQ(Edit->Filter(), L"Logs (*.txt)|*.txt");
  EXPECT_EQ(Edit->InitialDir(), L"C:\\logs\\");
  EXPECT_EQ(Edit->Dialog().FileName(), L"credits.txt");
}

TEST_F(FilenameEditTest, DroppedFilesFillTheEdit) {
  Edit->SetAcceptFiles(true);
  EXPECT_TRUE(GetWindowLongW(Edit->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  int Dropped = 0;
  Edit->OnDropFiles = [&](TObject*) { ++Dropped; };
  const std::vector<String> Three = {L"C:\\a\\one.txt", L"C:\\a\\two.txt", L"C:\\a\\three.txt"};

  SendMessageW(Edit->Handle(), WM_DROPFILES, WPARAM(MakeDrop(Three)), 0);
  EXPECT_EQ(Edit->FileName(), L"C:\\a\\one.txt");
  EXPECT_EQ(Edit->Dialog().Files().Count(), 0);
  EXPECT_EQ(Dropped, 1);

  Edit->SetDialogOptions(ofHideReadOnly | ofAllowMultiSelect);
  Edit->SetFileName(String());
  SendMessageW(Edit->Handle(), WM_DROPFILES, WPARAM(MakeDrop(Three)), 0);
  EXPECT_EQ(Edit->FileName(), L"C:\\a\\one.txt");
  ASSERT_EQ(Edit->Dialog().Files().Count(), 3);
  EXPECT_EQ(Edit->Dialog().Files().Get(2), L"C:\\a\\three.txt");
  EXPECT_EQ(Dropped, 2);

  Edit->SetAcceptFiles(false);
  EXPECT_FALSE(GetWindowLongW(Edit->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(FilenameEditTest, ADroppedNameLongerThanTheEditAllowsIsRefusedWithAMessage) {
  Edit->SetAcceptFiles(true);
  Edit->SetFileName(L"C:\\logs\\credits.txt");
  const String Long = L"C:\\" + String(300, L'x') + L".txt";
  String Caption;
  EXPECT_TRUE(
      RunAndCancelDialog([&] { SendMessageW(Edit->Handle(), WM_DROPFILES, WPARAM(MakeDrop({Long})), 0); }, &Caption));
  EXPECT_EQ(Caption, L"Warning");
  // Neither the whole name nor a cut one was taken.
  EXPECT_EQ(Edit->FileName(), L"C:\\logs\\credits.txt");
}

}  // namespace
