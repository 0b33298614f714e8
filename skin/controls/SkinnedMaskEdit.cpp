#include "skin/controls/SkinnedMaskEdit.h"

TacCustomMaskEdit::TacCustomMaskEdit(TComponent* Owner) : TacSkinnedEdit(Owner) { AfterConstruction(); }

RECT TacCustomMaskEdit::GetTextRect() {
  const int B = EditBorderWidth();
  const int G = GlyphAreaWidth();
  RECT R = UseRightToLeftAlignment() ? RECT{B, B, Width() - B - G, Height() - B}
                                     : RECT{B + G, B, Width() - B, Height() - B};
  if (ButtonMode()) {
    ++R.left;
    --R.right;
  }
  const RECT& M = TextMargins();
  R.left += M.left;
  R.top += M.top;
  R.right -= M.right;
  R.bottom -= M.bottom;
  return R;
}

void TacCustomMaskEdit::PaintFrame(HDC DC) {
  if (BorderStyle() == TBorderStyle::bsNone) return;
  TacSkinnedEdit::PaintFrame(DC);
}

void TacCustomMaskEdit::SetTextCollapsed(bool Value) {
  if (FTextCollapsed == Value) return;
  FTextCollapsed = Value;
  RecalcFrame(*this);
}

void TacCustomMaskEdit::DoExit() {
  if (!FCheckOnExit) return;
  try {
    TacSkinnedEdit::DoExit();
  } catch (const EDBEditError& E) {
    if (OnValidateError) OnValidateError(this, E.Message());
    throw EDBEditError(E.Message());
  }
}

void TacCustomMaskEdit::Change() {
  if (Loading()) return;
  TacSkinnedEdit::Change();
}

void TacCustomMaskEdit::PaintPlainFace() {
  TacSkinnedEdit::PaintPlainFace();
  if (!SkinData()->CacheBmp) return;
  if (BorderStyle() != TBorderStyle::bsSingle) return;
  RECT R{0, 0, Width(), Height()};
  if (Ctl3D())
    DrawEdge(SkinData()->CacheBmp->DC(), &R, EDGE_SUNKEN, BF_RECT);
  else
    FrameRect(SkinData()->CacheBmp->DC(), &R, GetSysColorBrush(COLOR_WINDOWFRAME));
}

bool TacCustomMaskEdit::SkinnedMessage(TMessage& Message) {
  // The skin's frame is wider than the system's border: after the system
  // painted the client area its innermost frame pixels come back.
  const bool FrameAfterSystem = Message.Msg == WM_PAINT && SystemPaintsFace();
  const bool Done = TacSkinnedEdit::SkinnedMessage(Message);
  if (FrameAfterSystem && Done) PaintFrame(nullptr);
  return Done;
}

void TacCustomMaskEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETTEXT:
      SkinData()->BGChanged = true;
      break;
    case WM_NCCALCSIZE:
      TacSkinnedEdit::WndProc(Message);
      if (FTextCollapsed && Message.LParam) {
        auto* Client = reinterpret_cast<RECT*>(Message.LParam);
        Client->left = Client->right;
      }
      return;
  }
  TacSkinnedEdit::WndProc(Message);
}
