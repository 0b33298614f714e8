#include "skin/controls/ComboSimpleBox.h"

#include <algorithm>

#include "framework/GdiHandles.h"
#include "framework/Messages.h"
#include "skin/controls/CustomCombo.h"

int ComboEditHeight(const TFont& Font) {
  TWindowDC screen;
  TEXTMETRICW tm{};
  {
    TSelectObject useFont(screen.get(), Font.Handle());
    GetTextMetricsW(screen.get(), &tm);
  }
  // The edits have the sunken 3-D frame of the new-style controls.
  return 8 * GetSystemMetrics(SM_CYBORDER) + tm.tmHeight;
}

TacSimpleBox::TacSimpleBox(TacCustomCombo* Combo) : TsListBox(Combo), FCombo(Combo) { SetTabStop(false); }

void TacSimpleBox::UpdateBounds() {
  if (Loading() || FDetached || FCombo->Destroying()) return;
  TWinControl* parent = FCombo->Parent();
  if (Parent() != parent) SetParent(parent);
  if (!parent) return;
  const int edit = ComboEditHeight(FCombo->Font());
  parent->DisableAlign();
  SetBounds(FCombo->Left(), FCombo->Top() + edit, FCombo->Width(), std::max(0, FCombo->Height() - edit));
  parent->EnableAlign();
  BringToFront();
}

void TacSimpleBox::ComboMessage(const TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      UpdateBounds();
      break;
    case CM_ENABLEDCHANGED:
      SetEnabled(FCombo->Enabled());
      UpdateBounds();
      break;
    case CM_PARENTFONTCHANGED:
      if (ParentFont() && Parent()) {
        Font().Assign(Parent()->Font());
        SetParentFont(true);
      }
      [[fallthrough]];
    case CM_VISIBLECHANGED:
    case CM_SHOWINGCHANGED:
      SetVisible(FCombo->Visible());
      UpdateBounds();
      break;
    case CM_BIDIMODECHANGED:
      SetBiDiMode(FCombo->BiDiMode());
      UpdateBounds();
      break;
  }
}

void TacSimpleBox::Click() {
  TsListBox::Click();
  FCombo->SetItemIndex(ItemIndex());
  if (FCombo->CanFocus()) FCombo->SetFocus();
}
