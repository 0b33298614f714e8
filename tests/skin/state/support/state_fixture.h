#pragma once
// What the skin-state tests build alike: a skin folder holding one small skin
// read from disk as a user's skins are, and a windowed control that owns a
// skin state the way skinned controls do and writes down the skin commands
// it gets.
#include "framework/Form.h"
#include "skin/core/SkinCommand.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"
#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

// A scratch skin folder whose one skin, "Small", is this option text.
class TSmallSkinFolder {
 public:
  explicit TSmallSkinFolder(const std::string& Options) {
    CreateDirectoryW((FFolder.Path() + L"Small").c_str(), nullptr);
    ScratchFolder::WriteBytes(FFolder.Path() + L"Small\\Options.dat", Options);
  }
  // A manager that reads the folder; with Load it loads "Small" (the caller
  // checks that it did). An error it shows fails the test.
  std::unique_ptr<TsSkinManager> Manager(bool Load = true) const {
    auto m = std::make_unique<TsSkinManager>(nullptr);
    m->OnShowError = [](const String&) { ADD_FAILURE() << "error shown"; };
    m->SetSkinDirectory(FFolder.Path());
    if (Load) m->SetSkinName(L"Small");
    return m;
  }

 private:
  ScratchFolder FFolder;
};

// A windowed control (40 x 20) owning a skin state of type TData that writes
// down the code of every skin command it gets. With a default section it
// names that section (AC_GETDEFINDEX) once its state has a manager.
template <class TData>
class TRecordingBox : public TCustomControl {
 public:
  explicit TRecordingBox(TComponent* owner, uint8_t kind = 3, const wchar_t* defaultSection = nullptr)
      : TCustomControl(owner), FDefaultSection(defaultSection) {
    SetBounds(0, 0, 40, 20);
    Data = std::make_unique<TData>(this, true);
    Data->CtrlKind = kind;
  }
  ~TRecordingBox() override {
    Destroying_();
    Data.reset();
  }
  std::unique_ptr<TData> Data;
  std::vector<uint16_t> Seen;
  int Count(uint16_t code) const { return int(std::count(Seen.begin(), Seen.end(), code)); }

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND) {
      const uint16_t code = SkinCommandCode(m.WParam);
      Seen.push_back(code);
      if (code == AC_GETDEFINDEX && FDefaultSection) {
        TsSkinManager* manager = Data ? Data->GetSkinManager() : nullptr;
        m.Result = manager ? manager->GetSectionIndex(FDefaultSection) + 1 : 0;
        return;
      }
    }
    TCustomControl::WndProc(m);
  }

 private:
  const wchar_t* FDefaultSection;
};
