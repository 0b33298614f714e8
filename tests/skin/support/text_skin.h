#pragma once
// A manager whose only skin is one option text, packed in memory: no skin
// folder is read or written.
#include "skin/manager/SkinManager.h"
#include "tests/skin/manager/support/packages.h"

#include <memory>
#include <string>

inline std::unique_ptr<TsSkinManager> TextSkinManager(const wchar_t* Name, const std::string& Options) {
  auto m = std::make_unique<TsSkinManager>(nullptr);
  m->SetSkinDirectory(L"c:\\no such skins");
  auto* skin = m->InternalSkins().Add();
  skin->Name = Name;
  skin->Data = Package({{"Options.dat", Options}});
  m->SetSkinName(Name);
  return m;
}
