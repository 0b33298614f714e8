#pragma once
// A manager that holds only the program's internal skin, with no folder
// skins beside it, and that fails the test on any load error.
#include "framework/UnitTable.h"
#include "skin/manager/SkinManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

inline std::unique_ptr<TsSkinManager> NightManager() {
  auto m = std::make_unique<TsSkinManager>(nullptr);
  m->OnShowError = [](const String& text) { ADD_FAILURE() << std::string(text.begin(), text.end()); };
  m->SetSkinDirectory(L"c:\\no such skins");
  auto* night = m->InternalSkins().Add();
  night->Name = L"Night (internal)";
  night->Data = ResourceBytes(L"NIGHT_SKIN");
  return m;
}

// The same manager with "Night (internal)" chosen; a test that needs the skin
// checks IsSkinLoaded() itself (a load error has failed it already).
inline std::unique_ptr<TsSkinManager> LoadedNightManager() {
  auto m = NightManager();
  m->SetSkinName(L"Night (internal)");
  return m;
}
