#pragma once
// A manager whose only skin is one option text, packed in memory (no skin
// folder is read or written); an error it shows fails the test.
#include "skin/manager/SkinManager.h"
#include "tests/skin/manager/support/packages.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

inline std::unique_ptr<TsSkinManager> TextSkinManager(const wchar_t* Name, const std::string& Options) {
  auto m = std::make_unique<TsSkinManager>(nullptr);
  m->OnShowError = [](const String& Text) {
    ADD_FAILURE() << "error shown: " << std::string(Text.begin(), Text.end());
  };
  m->SetSkinDirectory(L"c:\\no such skins");
  auto* skin = m->InternalSkins().Add();
  skin->Name = Name;
  skin->Data = Package({{"Options.dat", Options}});
  m->SetSkinName(Name);
  return m;
}
