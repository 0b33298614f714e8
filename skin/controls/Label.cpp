#include "skin/controls/Label.h"

#include "framework/GdiHandles.h"
#include "framework/WinControl.h"
#include "skin/forms/WindowQueries.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/TextDrawing.h"
#include "skin/manager/SkinGlobals.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/ParentBackground.h"
#include "skin/painting/SectionPainting.h"
#include "skin/state/StateQueries.h"
#include "skin/state/StateServices.h"

namespace {
constexpr uint8_t kDisabledTextWeight = 153;
}

TsCustomLabel::TsCustomLabel(TComponent* Owner) : TLabel(Owner) {
  SetShowAccelChar(true);
  SetTransparent(true);
}

void TsCustomLabel::SetSkinManager(TsSkinManager* Value) {
  if (FSkinManager == Value) return;
  if (FSkinManager) FSkinManager->RemoveFreeNotification(this);
  FSkinManager = Value;
  if (Value) Value->FreeNotification(this);
  FSkinIndex = -1;
  Invalidate();
}

void TsCustomLabel::SetSkinSection(const String& Value) {
  if (FSkinSection == Value) return;
  FSkinSection = Value;
  FSkinIndex = -1;
  Invalidate();
}

void TsCustomLabel::Notification(TComponent* Component, TOperation Operation) {
  TLabel::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FSkinManager) {
    FSkinManager = nullptr;
    FSkinIndex = -1;
  }
}

TsSkinManager* TsCustomLabel::ActiveManager() const {
  TsSkinManager* Manager = FSkinManager ? FSkinManager : TsSkinManager::DefaultManager();
  return Manager && Manager->Active() && Manager->IsSkinLoaded() ? Manager : nullptr;
}

int TsCustomLabel::GetSkinIndex() {
  TsSkinManager* Manager = ActiveManager();
  if (!Manager || FSkinSection.empty()) return -1;
  if (FSkinIndex < 0) FSkinIndex = Manager->GetSectionIndex(FSkinSection);
  return FSkinIndex;
}

TColor TsCustomLabel::TextColor() {
  TsSkinManager* Manager = ActiveManager();
  const TColor Enabled = Manager ? TColor(Manager->Palette()[pcLabelText]) : Font().Color();
  if (this->Enabled()) return Enabled;
  // Without a skin the parent's colour is what the text lies on.
  const COLORREF Bg = Manager ? Manager->Palette()[pcMainColor] : ControlBgColor(this);
  return TColor(MixColors(ColorToRGB(Enabled), Bg, kDisabledTextWeight));
}

void TsLabel::SetUseSkinColor(bool Value) {
  if (FUseSkinColor == Value) return;
  FUseSkinColor = Value;
  if (!Loading()) Invalidate();
}

TColor TsLabel::TextColor() {
  TsSkinManager* Manager = ActiveManager();
  TColor Color = Font().Color();
  if (FUseSkinColor && Manager) Color = GetStateFontColor(this, GetSkinIndex(), Manager, nullptr, 0);
  if (Enabled()) return Color;
  return TColor(MixColors(ColorToRGB(Color), ControlBgColor(Parent()), kDisabledTextWeight));
}

void TsCustomLabel::Paint(TCanvas& Canvas) {
  if (Destroying()) return;
  const RECT Client = ClientRect();
  const int Index = GetSkinIndex();
  if (Index >= 0 && Parent()) {
    TacBackgroundInfo Bg;
    Bg.R = BoundsRect();
    QueryControlBackground(Bg, Parent(), false);
    TacBackgroundSource Source;
    BackgroundInfoToSource(Bg, Source);
    PaintSkinSectionToDC(Index, Source, 0, Client, POINT{Left(), Top()}, Canvas.Handle(), ActiveManager()->SkinData());
  }
  TLabel::Paint(Canvas);
  if (FTranspMode == 1 || !Transparent()) {
    // Opaque on layered parents: the label's pixels get full alpha.
    auto Bmp = NewBitmap32(Width(), Height());
    BitBlt(Bmp->DC(), 0, 0, Width(), Height(), Canvas.Handle(), 0, 0, SRCCOPY);
    SetAlphaRect(*Bmp, Client, 255);
    BitBlt(Canvas.Handle(), 0, 0, Width(), Height(), Bmp->DC(), 0, 0, SRCCOPY);
  }
  FSkinIndex = -1;
}

void TsCustomLabel::DoDrawText(TCanvas& Canvas, RECT& R, UINT Flags) {
  String Text = Caption();
  if ((Flags & DT_CALCRECT) && (Text.empty() || (ShowAccelChar() && Text == L"&"))) Text += L" ";
  if (!ShowAccelChar()) Flags |= DT_NOPREFIX;
  if (UseRightToLeftAlignment()) Flags |= DT_RTLREADING;
  Canvas.Font().Assign(TextFont());
  Canvas.Font().SetColor(ColorToRGB(TextColor()));
  if (FTranspMode == 2 && Transparent()) Flags |= acDT_Antialiased;
  // Disabled labels are not embossed: their colour carries the disabled look.
  DrawTextPChar(Canvas, Text, R, Flags);
}

void TsCustomLabel::Loaded() {
  TLabel::Loaded();
  if (StateServices.PropagateOpaqueState) StateServices.PropagateOpaqueState(this, false);
  if (TsSkinManager* Manager = FSkinManager ? FSkinManager : TsSkinManager::DefaultManager())
    Manager->ApplyMainFont(this);
}

void TsCustomLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AutoSizeLabel();
}

void TsCustomLabel::AutoSizeLabel() {
  if (Loading() || Destroying() || !Parent() || FSizing) return;
  FSizing = true;
  if (AutoSize() && !UseRightToLeftAlignment() && Alignment() == TAlignment::taRightJustify) {
    const int Right = Left() + Width();
    if (WordWrap()) SetWidth(MulDiv(Width(), 3, 2));
    AdjustBounds();
    SetLeft(Right - Width());
  } else {
    AdjustBounds();
  }
  FSizing = false;
  Invalidate();
}

void TsCustomLabel::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_HITTEST:
      if (FTransparentForMouse) {
        // Not hit: the mouse goes to what lies beneath.
        Message.Result = 0;
        return;
      }
      break;
    case CM_MOUSEENTER:
      if (OnMouseEnter) OnMouseEnter(this);
      break;
    case CM_MOUSELEAVE:
      TLabel::WndProc(Message);
      if (OnMouseLeave) OnMouseLeave(this);
      return;
    case WM_SKINCOMMAND:
      switch (SkinCommandCode(Message.WParam)) {
        case AC_SKINREMOVED:
          if (Destroying()) return;
          if (FKeepParentFont) SetParentFont(true);
          FSkinIndex = -1;
          Invalidate();
          return;
        case AC_SKINREFRESH: {
          const int Section = LOWORD(Message.LParam);
          if (Destroying() || (Section != 0 && Section != GetSkinIndex())) return;
          FKeepParentFont = ParentFont();
          FSkinIndex = -1;
          Invalidate();
          return;
        }
        case AC_FONTSCHANGED:
          if (TsSkinManager* Manager = FSkinManager ? FSkinManager : TsSkinManager::DefaultManager())
            Manager->ApplyMainFont(this);
          return;
        case AC_SETOPAQUE:
          FTranspMode = static_cast<uint8_t>(HIWORD(Message.LParam));
          Message.Result = Message.LParam;
          if (FTranspMode == 2 && Transparent() && AutoSize()) AdjustBounds();
          return;
        case AC_GETBGSKININDEX:
          if (ActiveManager() && Parent() && Message.LParam)
            Message.Result = QueryBackgroundSkinIndex(Parent(), *reinterpret_cast<TacBgIndexQuery*>(Message.LParam));
          return;
        case AC_ISOPAQUE:
          Message.Result = ActiveManager() || !(ControlStyle() & csOpaque) ? 1 : 0;
          return;
      }
      break;
  }
  TLabel::WndProc(Message);
}
