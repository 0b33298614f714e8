#include "skin/controls/SkinnedButtonBase.h"

#include "skin/graphics/FrameDrawing.h"
#include "skin/state/SectionLookup.h"
#include "skin/state/StateQueries.h"

int ButtonSectionState(TsCommonData& Data, int State) {
  const TsGeneralData* Section = SectionAt(Data.GetScaledSkinData(), Data.SkinIndex);
  const int States = Section ? Section->States : 3;
  if (State == 3 && States < 4) return 1;
  return std::max(0, std::min(State, States - 1));
}

void DrawButtonFocusFrame(TControl* Control, TsCommonData& Data, TCanvas& Canvas, const RECT& R) {
  const TsGeneralData* Section = SectionAt(Data.GetScaledSkinData(), Data.SkinIndex);
  const int FocusState = std::min(2, Section ? Section->States : 2);
  DrawDottedFrame(Canvas, R, GetStateFontColor(Control, Data.SkinIndex, Data.GetSkinManager(), &Data, FocusState),
                  clNone);
}

bool MeasureButtonItem(TControl& Control, TMessage& Message) {
  if (Message.Msg != CN_MEASUREITEM) return false;
  auto* Item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  Item->itemWidth = UINT(Control.Width());
  Item->itemHeight = UINT(Control.Height());
  Message.Result = 1;
  return true;
}
