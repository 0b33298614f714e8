#include "skin/imagelists/DefaultGlyphLists.h"

#include <memory>

#include "framework/Streams.h"
#include "skin/imagelists/AlphaImageList.h"
#include "skin/imagelists/CharImageList.h"
#include "skin/manager/ManagerOptions.h"

namespace {

struct TCharGlyph {
  wchar_t Char;
  double ScalingFactor;
  int OffsetY;
  bool System;  // drawn with the system's own symbol face, not the icon font
};

// The order is what controls index by: keep it.
constexpr TCharGlyph kCharGlyphs[] = {
    {0xF016, 1.0, 0, false}, {0xF115, 1.0, 0, false},  {0xF274, 1.0, 0, false}, {0xF141, 1.0, 4, false},
    {0xF1EC, 1.0, 0, false}, {0xF111, 0.75, 0, false}, {0xF00C, 1.0, 0, false}, {0xF047, 0.9, 1, false},
    {0xF1FB, 1.0, 0, false}, {0xF00C, 1.1, 0, false},  {0xF00D, 1.1, 0, false}, {0xF067, 0.8, 2, false},
    {0xF0D8, 1.3, 0, false}, {0xF01E, 0.9, 1, false},  {0xF048, 0.8, 2, false}, {0xF053, 0.8, 2, false},
    {0xF054, 0.8, 2, false}, {0xF051, 0.8, 2, false},  {0xF068, 0.8, 2, false}, {0xF00C, 0.8, 0, false},
    {0xF00D, 0.8, 0, false}, {L'0', 1.0, 0, true},     {L'1', 1.0, 0, true},    {L'2', 1.0, 0, true},
    {L'r', 1.0, 0, true},
};

const wchar_t* const kPngGlyphs[] = {L"SF", L"SR", L"SD", L"SE", L"SC"};

std::unique_ptr<TsCharImageList> MakeCharList() {
  auto list = std::make_unique<TsCharImageList>(nullptr);
  list->SetBkColor(0xFFFFFF);
  list->SetWidth(16);
  list->SetHeight(14);
  list->SetBlendValue(222);
  for (const TCharGlyph& glyph : kCharGlyphs) {
    TacCharListItem* item = list->Items().Add();
    // Kept even where the face is missing: the font mapper then picks a
    // substitute instead of the icon font.
    if (glyph.System) item->SetFontName(L"Marlett");
    item->SetChar(glyph.Char);
    item->SetScalingFactor(glyph.ScalingFactor);
    item->SetOffsetY(glyph.OffsetY);
  }
  list->GenerateCharList(clNone);
  return list;
}

std::unique_ptr<TsAlphaImageList> MakePngList() {
  auto list = std::make_unique<TsAlphaImageList>(nullptr);
  list->SetWidth(32);
  list->SetHeight(16);
  const HMODULE module = GetModuleHandleW(nullptr);
  list->BeginItemsUpdate();
  for (const wchar_t* name : kPngGlyphs) {
    TsImgListItem* item = list->Items().Add();
    item->SetImageFormat(ifPNG);
    item->SetPixelFormat(pf32bit);
    // A program built without the pictures gets empty items, not an exception
    // in the middle of painting.
    if (!FindResourceW(module, name, RT_RCDATA)) continue;
    TResourceStream source(module, name, RT_RCDATA);
    item->ImageBytes().LoadFromStream(source);
  }
  list->EndItemsUpdate(true);
  return list;
}

}  // namespace

TsCharImageList* DefaultCharList() {
  static const std::unique_ptr<TsCharImageList> list = MakeCharList();
  return list.get();
}

TsAlphaImageList* DefaultPngList() {
  static const std::unique_ptr<TsAlphaImageList> list = MakePngList();
  return list.get();
}

TCustomImageList* DefaultGlyphList() {
  if (TacButtonsSupport::OldGlyphsMode()) return DefaultPngList();
  return DefaultCharList();
}
