#include "skin/imagelists/AddedGlyph.h"

#include "framework/WinControl.h"
#include "skin/core/SkinUtils.h"
#include "skin/imagelists/DefaultGlyphLists.h"
#include "skin/imagelists/ImageSizes.h"
#include "skin/state/CommonData.h"

TComboGlyphButtonWidth ComboGlyphButtonWidth = nullptr;

TacAddedGlyph::TacAddedGlyph(TWinControl* Owner, TsCommonData* SkinData)
    : FOwner(Owner), FSkinData(SkinData), FImageChangeLink(std::make_unique<TChangeLink>()) {
  FImageChangeLink->OnChange = [this](TObject*) { UpdateOwner(false); };
}

TacAddedGlyph::~TacAddedGlyph() = default;

void TacAddedGlyph::SetColorTone(TColor Value) {
  if (FColorTone == Value) return;
  FColorTone = Value;
  UpdateOwner(false);
}

void TacAddedGlyph::SetGrayed(bool Value) {
  if (FGrayed == Value) return;
  FGrayed = Value;
  UpdateOwner(false);
}

void TacAddedGlyph::SetImages(TCustomImageList* Value) {
  if (Images() == Value) return;
  if (TCustomImageList* Old = Images()) Old->UnRegisterChanges(FImageChangeLink.get());
  if (Value) {
    Value->RegisterChanges(FImageChangeLink.get());
    if (FOwner) Value->FreeNotification(FOwner);
  }
  UpdateOwner(true);
}

void TacAddedGlyph::SetIntProp(int Index, int Value) {
  switch (Index) {
    case 0:
      if (FBlend == Value) return;
      FBlend = Value;
      UpdateOwner(false);
      break;
    case 1:
      if (FImageIndex == Value) return;
      FImageIndex = Value;
      UpdateOwner(true);
      break;
  }
}

void TacAddedGlyph::UpdateOwner(bool Relayout) {
  // Without skin state the edits' own skin data is reached through them;
  // they come later, so such an owner only gets its frame recomputed.
  if (FSkinData) FSkinData->Invalidate(true);
  if (Relayout && FOwner && !FOwner->Loading())
    if (const HWND Wnd = FOwner->HandleIfAllocated())
      SetWindowPos(Wnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOCOPYBITS |
                       SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
}

TCustomImageList* TacAddedGlyph::ListInUse() {
  TCustomImageList* List = Images();
  if (List && IsValidIndex(FImageIndex, GetImageCount(List))) return List;
  return DefaultGlyphList();
}

int TacAddedGlyph::PPI() { return FSkinData ? FSkinData->GetPPI() : 96; }

int TacAddedGlyph::GlyphHeight() { return ScaledImageHeight(ListInUse(), FImageIndex, PPI()); }

int TacAddedGlyph::FrameCount() {
  TCustomImageList* List = ListInUse();
  const int W = ScaledImageWidth(List, -1, 96);
  const int H = ScaledImageHeight(List, -1, 96);
  if (H == 0 || W % H != 0) return 1;
  return W / H;
}

int TacAddedGlyph::GlyphWidth() {
  int ButtonWidth = 0;
  if (ComboGlyphButtonWidth && dynamic_cast<TsGlyphMode*>(this) && FOwner &&
      ComboGlyphButtonWidth(FOwner, ButtonWidth)) {
    if (ButtonWidth != 0) return ScaleToPPI(ButtonWidth, FSkinData, true);
    return GetSystemMetrics(SM_CXVSCROLL) - ScaleToPPI(4, FSkinData, true) / 2;
  }
  // A zero-height image gives no frames to divide by: FrameCount is then 1.
  return ScaledImageWidth(ListInUse(), FImageIndex, PPI()) / FrameCount();
}

TsGlyphMode::TsGlyphMode(TWinControl* Owner, TsCommonData* SkinData) : TacAddedGlyph(Owner, SkinData) {}

void TsGlyphMode::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  UpdateOwner(false);
}

void TsGlyphMode::SetIntProp(int Index, int Value) {
  switch (Index) {
    case 10:
      if (FImageIndexHot == Value) return;
      FImageIndexHot = Value;
      UpdateOwner(false);
      break;
    case 11:
      if (FImageIndexPressed == Value) return;
      FImageIndexPressed = Value;
      UpdateOwner(false);
      break;
    default:
      TacAddedGlyph::SetIntProp(Index, Value);
  }
}
