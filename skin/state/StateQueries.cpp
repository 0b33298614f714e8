#include "skin/state/StateQueries.h"

#include <algorithm>
#include <vector>

#include "framework/GdiHandles.h"
#include "framework/WinControl.h"
#include "skin/core/MaskKeyRects.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CacheCorners.h"
#include "skin/state/CommonData.h"
#include "skin/state/PaintBorderData.h"
#include "skin/state/SectionLookup.h"

namespace {

constexpr TColor kWindowCode = TColor(0xFF000005);
constexpr TColor kBtnTextCode = TColor(0xFF000012);

TsSkinManager* ManagerOrDefault(TsSkinManager* Manager) { return Manager ? Manager : TsSkinManager::DefaultManager(); }

TColor ManagerFontColor(const TsSkinManager* Manager) { return TColor(Manager->Palette()[pcLabelText]); }

TacBgIndexQuery QueryFor(TControl* Control, int State, int Index, TsSkinManager* Manager) {
  return TacBgIndexQuery{State, Index, RECT{0, 0, Control->Width(), Control->Height()}, Manager};
}

// AC_GETBGSKININDEX as it is answered: 0 nobody knows, -1 keep the
// asker's section, else the section index is written into the record. The
// rectangle goes out in the parent's coordinates.
LRESULT SendBgIndexQuery(TControl* Control, TacBgIndexQuery& Query) {
  if (Control->Parent()) OffsetRect(&Query.Rect, Control->Left(), Control->Top());
  const WPARAM WParam = SkinCommandWParam(AC_GETBGSKININDEX);
  const LPARAM LParam = reinterpret_cast<LPARAM>(&Query);
  auto* Windowed = dynamic_cast<TWinControl*>(Control);
  if (Windowed && Windowed->HandleAllocated())
    return SendWndMessage(Windowed->HandleIfAllocated(), WM_SKINCOMMAND, WParam, LParam);
  return Control->Perform(WM_SKINCOMMAND, WParam, LParam);
}

int WndBgIndexQuery(HWND Wnd, TacBgIndexQuery& Query) {
  RECT R{};
  GetWindowRect(Wnd, &R);
  if (HWND Parent = GetParent(Wnd)) MapWindowPoints(nullptr, Parent, reinterpret_cast<POINT*>(&R), 2);
  Query.Rect = R;
  const LRESULT Answer = SendMessageW(Wnd, WM_SKINCOMMAND, SkinCommandWParam(AC_GETBGSKININDEX),
                                      reinterpret_cast<LPARAM>(&Query));
  return Answer == -1 ? 0 : int(Answer);
}

// The font colour of the section painted at Index, or the one beneath it
// when that section lets its background show through. Ask returns 0 when
// nobody answered, else the answer with Query filled.
template <typename TAsk>
bool SkinFontColor(int Index, TsSkinManager* Manager, TacSkinData* SkinData, int State, bool CanAsk, TAsk Ask,
                   TColor& Color) {
  State = std::clamp(State, 0, 2);
  const TsGeneralData* Section = SectionAt(SkinData, Index);
  if (CanAsk && (!Section || Section->Props[State].Transparency > 39)) {
    TacBgIndexQuery Query{State, Index, RECT{}, Manager};
    if (Ask(Query) == 0) return false;
    if (Query.SectionIndex >= 0) Section = SectionAt(SkinData, Query.SectionIndex);
  }
  Color = Section ? TColor(Section->Props[LimitedState(*Section, State)].FontColor) : ManagerFontColor(Manager);
  return true;
}

}  // namespace

TColor GetStateFontColor(TControl* Control, int Index, TsSkinManager* Manager, TsCommonData* Data, int State) {
  TControl* Owner = Control ? Control : (Data ? Data->OwnerControl : nullptr);
  if (Data && Data->CustomFont()) return Owner ? Owner->Font().Color() : kWindowCode;
  Manager = ManagerOrDefault(Manager);
  if (Manager && Manager->IsSkinLoaded()) {
    TacSkinData* SkinData = Data ? Data->GetScaledSkinData() : Manager->SkinData();
    auto Ask = [&](TacBgIndexQuery& Query) {
      Query.Rect = RECT{0, 0, Control->Width(), Control->Height()};
      return QueryBackgroundSkinIndex(Control, Query);
    };
    TColor Color = 0;
    if (SkinFontColor(Index, Manager, SkinData, State, Control != nullptr, Ask, Color)) return Color;
    TControl* Parent = Control->Parent();
    return Parent ? Parent->Font().Color() : Control->Font().Color();
  }
  return Control ? Control->Font().Color() : kWindowCode;
}

TColor GetWndStateFontColor(HWND Wnd, int Index, TsSkinManager* Manager, TsCommonData* Data, int State) {
  if (Data && Data->CustomFont()) return kBtnTextCode;
  Manager = ManagerOrDefault(Manager);
  if (Manager && Manager->IsSkinLoaded()) {
    TacSkinData* SkinData = Data ? Data->GetScaledSkinData() : Manager->SkinData();
    auto Ask = [&](TacBgIndexQuery& Query) { return WndBgIndexQuery(Wnd, Query); };
    TColor Color = 0;
    if (SkinFontColor(Index, Manager, SkinData, State, Wnd != nullptr, Ask, Color)) return Color;
    return kBtnTextCode;
  }
  return Wnd ? kBtnTextCode : kWindowCode;
}

int GetParentSkinIndex(TControl* Control, int Index, TsSkinManager* Manager, int State) {
  if (!Control) return Index;
  Manager = ManagerOrDefault(Manager);
  const TsGeneralData* Section = SectionAt(Manager ? Manager->SkinData() : nullptr, Index);
  const int S = std::min(State, 2);
  if (S != 0 && Section && State < Section->States && Section->Props[std::max(S, 0)].Transparency <= 39) return Index;
  TacBgIndexQuery Query = QueryFor(Control, State, Index, Manager);
  const LRESULT Answer = SendBgIndexQuery(Control, Query);
  if (Answer == -1) return Index;
  if (Answer == 0) return -1;
  return Query.SectionIndex >= 0 ? Query.SectionIndex : Index;
}

int QueryBackgroundSkinIndex(TControl* Control, TacBgIndexQuery& Query) {
  if (!Control) return 0;
  const LRESULT Answer = SendBgIndexQuery(Control, Query);
  return Answer == -1 ? 0 : int(Answer);
}

bool SectionShowsParent(TsSkinManager* Manager, int Index, int State, TControl* Control) {
  Manager = ManagerOrDefault(Manager);
  return SectionShowsParentIn(Manager ? Manager->SkinData() : nullptr, Index, State, Control);
}

bool SectionShowsParentIn(const TacSkinData* SkinData, int Index, int State, TControl* Control) {
  const TsGeneralData* Section = SectionAt(SkinData, Index);
  if (!Control || !Control->Parent() || !Section) return false;
  const int S = LimitedState(*Section, State);
  const int T = Section->Props[S].Transparency;
  const TsMaskData* Mask = BorderMaskOf(SkinData, *Section);
  if (T <= 50 || !Mask) return T > 50;
  const bool Centre = (Mask->DrawMode & dmPaintCentre) != 0;
  bool Shows = S == 0 ? !(Centre && (Mask->DrawMode & dmNothingInState0) == 0) : !Centre;
  TBitmap* Frame = Mask->Bmp;
  if (Frame && Frame->PixelFormat() == pf32bit) {
    // The picture's own alpha at the middle of the state's cell decides; a
    // state past the strip reads the last cell.
    const POINT Cell = MaskFrameSize(*Mask);
    const int Column = std::min(S, std::max(int(Mask->ImageCount) - 1, 0));
    const int X = Mask->SrcRect.left + Column * Cell.x + Cell.x / 2;
    const int Y = Mask->SrcRect.bottom - Cell.y / 2;
    if (Cell.x > 0 && Cell.y > 0 && X >= 0 && X < Frame->Width() && Y >= 0 && Y < Frame->Height())
      Shows = (GetPixel32(*Frame, X, Y) >> 24 & 0x80) == 0;
  }
  return Shows;
}

HRGN CreateMaskRegion(int Index, TBitmap* Bitmap, TacSkinData* SkinData) {
  const TsGeneralData* Section = SectionAt(SkinData, Index);
  const TsMaskData* Mask = Section ? BorderMaskOf(SkinData, *Section) : nullptr;
  if (!Mask || !Bitmap) return nullptr;
  const int W = Bitmap->Width(), H = Bitmap->Height();
  TBitmap* Master = Mask->Manager ? Mask->Manager->Globals().MasterBitmap.get() : nullptr;
  std::vector<RECT> Rects;
  CollectMaskKeyRects(Rects, W, *Mask, 0, false, Master);
  CollectMaskKeyRects(Rects, W, *Mask, H - Mask->WB, true, Master);
  TOwnedRegion Region(CreateRectRgn(0, 0, W, H));
  for (const RECT& R : Rects) {
    TOwnedRegion Piece(CreateRectRgnIndirect(&R));
    CombineRgn(Region.get(), Region.get(), Piece.get(), RGN_DIFF);
  }
  return Region.Release();
}

bool ShiftsContentOnClick(int Index, TacSkinData* SkinData) {
  const TsGeneralData* Section = SectionAt(SkinData, Index);
  if (!Section) return true;
  TsSkinManager* Manager = TsSkinManager::DefaultManager();
  return (Manager && Manager->ButtonsOptions().ShiftContentOnClick()) || Section->ShiftClick;
}

void ApplyColorEffects(TBitmap* Bitmap, TsCommonData* Data, TColor Tone, int State) {
  if (!Bitmap || !Data) return;
  uint32_t UseTone = Data->ColorTone;
  if (Data->CtrlKind == 93 || Data->CtrlKind == 94) UseTone = Tone == clNone || Tone == 0 ? acColorUnset : Tone;
  if (UseTone != acColorUnset) ForEachPixelExcept(Bitmap, TonePixelProc, int(UseTone), 0xFF00FF);
  if (Data->HUEOffset != 0) ForEachPixelExcept(Bitmap, HuePixelProc, Data->HUEOffset, 0xFF00FF);
  if (Data->Saturation != 0)
    ForEachPixelExcept(Bitmap, SaturatePixelProc, std::clamp(Data->Saturation * 255 / 100, -255, 255), 0xFF00FF);
  if (Data->CustomBorder().IsCustom()) FillCacheCorners(Data, State, 15);
}
