#include "skin/controls/Bevel.h"

#include "framework/Application.h"
#include "framework/WinControl.h"
#include "skin/core/SkinUtils.h"
#include "skin/forms/WindowQueries.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/ParentBackground.h"
#include "skin/painting/SectionPainting.h"
#include "skin/state/SkinStateMessages.h"

namespace {

constexpr uint8_t kBevelKind = 92;
// The thickness of the skinned lines and frame.
constexpr int kLine = 3;

const wchar_t* SectionOf(TBevelShape Shape, TBevelStyle Style) {
  if (Shape == TBevelShape::bsFrame) return L"GROUPBOX";
  return Style == TBevelStyle::bsLowered ? L"PANEL_LOW" : L"PANEL";
}

}  // namespace

TsBevel::TsBevel(TComponent* Owner)
    : TBevel(Owner), FSkinData(std::make_unique<TsCommonData>(this, true)), FLastShape(Shape()), FLastStyle(Style()) {
  FSkinData->CtrlKind = kBevelKind;
  if (!Loading()) {
    UpdateSection();
    FSkinData->Loaded(true);
  }
}

TsBevel::~TsBevel() {
  Destroying_();
  FSkinData.reset();
}

void TsBevel::Loaded() {
  TBevel::Loaded();
  UpdateSection();
  FSkinData->Loaded(true);
}

void TsBevel::UpdateSection() { FSkinData->SetSkinSection(SectionOf(Shape(), Style())); }

bool TsBevel::Skinned() const { return FSkinData && FSkinData->IsSkinned(); }

void TsBevel::Invalidate() {
  if (FSkinData && (Shape() != FLastShape || Style() != FLastStyle)) {
    FLastShape = Shape();
    FLastStyle = Style();
    UpdateSection();
    FSkinData->BGChanged = true;
  }
  TBevel::Invalidate();
}

// A move shows another part of the parent's background.
void TsBevel::BoundsChanged() {
  if (FSkinData) FSkinData->BGChanged = true;
  TBevel::BoundsChanged();
}

void TsBevel::BuildCache() {
  FSkinData->InitCacheBmp();
  if (!FSkinData->CacheBmp || FSkinData->CacheBmp->Empty()) return;
  TacBackgroundInfo Bg;
  QueryControlBackground(Bg, Parent(), false);
  TacBackgroundSource Source;
  BackgroundInfoToSource(Bg, Source);
  PaintSkinSection(FSkinData->SkinIndex, Source, 0, RECT{0, 0, Width(), Height()}, POINT{Left(), Top()},
                   FSkinData->CacheBmp.get(), FSkinData->GetScaledSkinData());
  // The picture only changes with the section, size or background.
  FSkinData->BGChanged = false;
}

void TsBevel::Paint(TCanvas& Canvas) {
  if (!Skinned() || Shape() == TBevelShape::bsSpacer) {
    TBevel::Paint(Canvas);
    return;
  }
  if (FSkinData->BGChanged || !FSkinData->CacheBmp || FSkinData->CacheBmp->Width() != Width() ||
      FSkinData->CacheBmp->Height() != Height())
    BuildCache();
  if (!FSkinData->CacheBmp || FSkinData->CacheBmp->Empty()) return;
  const HDC Src = FSkinData->CacheBmp->DC(), Dst = Canvas.Handle();
  const int W = Width(), H = Height();
  // Each strip comes from the same place of the cache.
  const auto Strip = [&](int X, int Y, int SW, int SH) {
    if (SW > 0 && SH > 0) BitBlt(Dst, X, Y, SW, SH, Src, X, Y, SRCCOPY);
  };
  switch (Shape()) {
    case TBevelShape::bsBox:
    case TBevelShape::bsFrame:
      Strip(0, 0, W, kLine);
      Strip(0, H - kLine, W, kLine);
      Strip(0, kLine, kLine, H - 2 * kLine);
      Strip(W - kLine, kLine, kLine, H - 2 * kLine);
      break;
    case TBevelShape::bsTopLine:
      Strip(kLine, 0, W - 2 * kLine, kLine);
      break;
    case TBevelShape::bsBottomLine:
      Strip(kLine, H - kLine, W - 2 * kLine, kLine);
      break;
    case TBevelShape::bsLeftLine:
      Strip(0, kLine, kLine, H - 2 * kLine);
      break;
    case TBevelShape::bsRightLine:
      Strip(W - kLine, kLine, kLine, H - 2 * kLine);
      break;
    case TBevelShape::bsSpacer:
      break;
  }
}

void TsBevel::WndProc(TMessage& M) {
  if (M.Msg == WM_SKINCOMMAND) {
    const bool OwnManager = reinterpret_cast<LPARAM>(FSkinData->GetSkinManager()) == M.LParam;
    switch (SkinCommandCode(M.WParam)) {
      case AC_SKINLOADED:
        if (!OwnManager) break;
        HandleSkinCommand(M, FSkinData.get());
        return;
      case AC_SKINREMOVED:
        if (!OwnManager || Destroying()) break;
        HandleSkinCommand(M, FSkinData.get());
        if (Visible()) Repaint();
        TBevel::WndProc(M);
        return;
      case AC_SKINREFRESH:
        if (!IsRefreshForMe(FSkinData.get(), M)) break;
        HandleSkinCommand(M, FSkinData.get());
        if (Visible()) Repaint();
        return;
      case AC_ISSKINNED:
        M.Result = 1;
        return;
      case AC_REDRAW:
        FSkinData->Updating = false;
        FSkinData->BGChanged = true;
        Repaint();
        return;
      case AC_GETAPPLICATION:
        M.Result = reinterpret_cast<LRESULT>(Application);
        return;
    }
  }
  if (CanUpdateControl(this) && Skinned()) {
    switch (M.Msg) {
      case WM_SIZE:
      case WM_WINDOWPOSCHANGED:
        if (Visible()) FSkinData->BGChanged = true;
        break;
      case WM_ERASEBKGND:
        return;
      case WM_SKINCOMMAND:
        if (HandleSkinCommand(M, FSkinData.get())) return;
        break;
    }
  }
  TBevel::WndProc(M);
}
