#pragma once
// Managers whose only skin is packed in memory (no skin folder is read or
// written); an error they show fails the test.
#include "skin/manager/SkinManager.h"
#include "tests/skin/manager/support/packages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

// The skin is these files; "Options.dat" among them is its option text.
inline std::unique_ptr<TsSkinManager> PackedSkinManager(const wchar_t* Name, const Entries& Files) {
  auto m = std::make_unique<TsSkinManager>(nullptr);
  m->OnShowError = [](const String& Text) {
    ADD_FAILURE() << "error shown: " << std::string(Text.begin(), Text.end());
  };
  m->SetSkinDirectory(L"c:\\no such skins");
  auto* skin = m->InternalSkins().Add();
  skin->Name = Name;
  skin->Data = Package(Files);
  m->SetSkinName(Name);
  return m;
}

// The skin is one option text.
inline std::unique_ptr<TsSkinManager> TextSkinManager(const wchar_t* Name, const std::string& Options) {
  return PackedSkinManager(Name, {{"Options.dat", Options}});
}

// A 16 x 16 bottom-up 24-bit bitmap file of one colour: a master bitmap the
// skin's border images are cut from.
inline std::string SolidBitmapFile(uint32_t Rgb) {
  const int side = 16, stride = side * 3, bits = stride * side;
  std::string out = "BM";
  PutU32(out, uint32_t(54 + bits));
  PutU32(out, 0);
  PutU32(out, 54);
  PutU32(out, 40);
  PutU32(out, side);
  PutU32(out, side);
  out += std::string("\x01\x00\x18\x00", 4);
  for (int i = 0; i < 6; ++i) PutU32(out, 0);
  for (int i = 0; i < side * side; ++i) {
    out += char(Rgb & 0xFF);
    out += char((Rgb >> 8) & 0xFF);
    out += char((Rgb >> 16) & 0xFF);
  }
  return out;
}
