#include "skin/controls/SkinnedMemo.h"

#include "skin/manager/SkinData.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/StateQueries.h"

namespace {

// Whether the section looks different when focused or hovered, so that
// those changes need a paint: a border image, or more than one state.
bool SectionPaintsStates(TsCommonData& Data) {
  TacSkinData* Skin = Data.GetScaledSkinData();
  if (!Skin || Data.SkinIndex < 0 || Data.SkinIndex >= int(Skin->GeneralDataArray.size())) return false;
  const TsGeneralData& Section = Skin->GeneralDataArray[Data.SkinIndex];
  return Section.BorderIndex >= 0 || Section.States > 1;
}

}  // namespace

TsMemo::TsMemo(TComponent* Owner) : TacSkinnedControl(Owner, 7, ssEdit) {
  SetControlStyle(ControlStyle() & ~csOpaque);
  MakeBoundLabel();
  AfterConstruction();
  // Here the scrolling wrapper of the control hooks would be attached.
}

bool TsMemo::SkinStage1(TMessage& Message) {
  if (Message.Msg != WM_SKINCOMMAND) return TacSkinnedControl::SkinStage1(Message);
  TsScrollWndData& Data = *SkinData();
  switch (SkinCommandCode(Message.WParam)) {
    case AC_SKINREMOVED:
      if (reinterpret_cast<LPARAM>(Data.GetSkinManager()) != Message.LParam) return false;
      HandleSkinCommand(Message, &Data);
      // Without a wrapper the window keeps the system's frame and scroll
      // bars; only the colours the skin gave go back.
      if (Data.SavedColor != acColorUnset) SetColor(TColor(Data.SavedColor));
      if (Data.SavedFontColor != acColorUnset) Font().SetColor(TColor(Data.SavedFontColor));
      Data.SavedColor = Data.SavedFontColor = acColorUnset;
      Invalidate();
      return true;
    case AC_SETOPAQUE:
      HandleSkinCommand(Message, &Data);
      return true;
  }
  return TacSkinnedControl::SkinStage1(Message);
}

bool TsMemo::TakeSectionColors() {
  TsScrollWndData& Data = *SkinData();
  TacSkinData* Skin = Data.GetScaledSkinData();
  if (!Skin || Data.SkinIndex < 0 || Data.SkinIndex >= int(Skin->GeneralDataArray.size())) return false;
  const bool Hot = Data.Focused || Focused() || (Data.MouseInControl() && SectionPaintsStates(Data));
  const int State = Hot ? 1 : 0;
  bool Changed = false;
  if (!Data.CustomColor()) {
    const TColor C = TColor(Skin->GeneralDataArray[Data.SkinIndex].Props[State].Color);
    if (C != Color()) {
      if (Data.SavedColor == acColorUnset) Data.SavedColor = uint32_t(Color());
      Data.BGChanged = true;
      SetColor(C);
      Changed = true;
    }
  }
  if (!Data.CustomFont()) {
    const TColor F = GetStateFontColor(this, Data.SkinIndex, Data.GetSkinManager(), &Data, State);
    if (F != Font().Color()) {
      if (Data.SavedFontColor == acColorUnset) Data.SavedFontColor = uint32_t(Font().Color());
      Font().SetColor(F);
      Changed = true;
    }
  }
  return Changed;
}

bool TsMemo::SkinnedMessage(TMessage& Message) {
  TsScrollWndData& Data = *SkinData();
  switch (Message.Msg) {
    case WM_PAINT:
      TakeSectionColors();
      if (Data.CheckUpdating(false)) {
        PAINTSTRUCT Ps;
        BeginPaint(Handle(), &Ps);
        EndPaint(Handle(), &Ps);
      } else {
        TMemo::WndProc(Message);
      }
      return true;
    case WM_ERASEBKGND:
      if (Data.CheckUpdating(false) && Data.SkinIndex >= 0) {
        Message.Result = 1;
        return true;
      }
      return false;
    case WM_NCPAINT:
    case WM_PRINT:
      // The system's frame and scroll bars, until the wrapper paints them.
      return false;
    case WM_SETTEXT:
    case CM_TEXTCHANGED:
    case CM_CHANGED:
      // The system memo repaints its own text; the log view takes lines
      // faster than a forced repaint per line would allow. Here the wrapper
      // would re-read its scroll bars.
      TMemo::WndProc(Message);
      if (BoundLabel()) BoundLabel()->HandleOwnerMessage(Message, this);
      return true;
  }
  return TacSkinnedControl::SkinnedMessage(Message);
}

void TsMemo::WndProc(TMessage& Message) {
  if (Message.Msg == CM_FONTCHANGED && Showing() && HandleAllocated())
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
  TacSkinnedControl::WndProc(Message);
  switch (Message.Msg) {
    case EM_SCROLLCARET:
      if (OnScrollCaret) OnScrollCaret(this);
      break;
    case WM_VSCROLL:
      if (OnVScroll) OnVScroll(this);
      break;
    case WM_SETFONT:
    case CM_VISIBLECHANGED:
    case CM_ENABLEDCHANGED:
      if (Skinned()) Invalidate();
      break;
  }
}

bool TsMemo::DoKeyDown(WORD& Key, TShiftState Shift) {
  if (TacSkinnedControl::DoKeyDown(Key, Shift)) return true;
  if (Key == 'A' && (Shift & (ssCtrl | ssShift | ssAlt)) == ssCtrl) {
    SelectAll();
    Key = 0;
    if (HandleAllocated()) {
      // The key's character would beep in the memo.
      MSG Pending;
      PeekMessageW(&Pending, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE);
    }
    return true;
  }
  return false;
}
