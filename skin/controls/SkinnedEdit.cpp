#include "skin/controls/SkinnedEdit.h"

TsEdit::TsEdit(TComponent* Owner) : TacSkinnedEdit(Owner) { AfterConstruction(); }

RECT TsEdit::GetTextRect() {
  const int B = EditBorderWidth();
  const bool Single = BorderStyle() == TBorderStyle::bsSingle;
  const int S = Single ? 1 : 0;  // the system edit's inner space inside a border
  const int G = GlyphAreaWidth();
  RECT R;
  if (UseRightToLeftAlignment())
    R = RECT{B + (Ctl3D() ? 0 : 2), B + S, Width() + S - B - G - GlyphSpacing() / 2, Height() - B};
  else
    R = RECT{B + S + G, B + S, Width() - B - S, Height() - B};
  const RECT& M = TextMargins();
  R.left += M.left;
  R.top += M.top;
  R.right -= M.right;
  R.bottom -= M.bottom;
  return R;
}

bool TsEdit::SkinStage1(TMessage& Message) {
  if (Message.Msg == WM_SKINCOMMAND) switch (SkinCommandCode(Message.WParam)) {
      // The edit lets its skin state answer whether it is skinned.
      case AC_ISSKINNED:
        return HandleSkinCommand(Message, SkinData());
      case AC_ISSKINAWARE:
        Message.LParam = 0;
        return true;
    }
  return TacSkinnedEdit::SkinStage1(Message);
}
