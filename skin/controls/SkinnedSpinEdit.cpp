#include "skin/controls/SkinnedSpinEdit.h"

#include "framework/GdiHandles.h"
#include "framework/Screen.h"
#include "skin/forms/SkinColors.h"
#include "skin/graphics/ArrowGlyph.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/SectionPainting.h"
#include "skin/state/StateQueries.h"

#include <windowsx.h>

#include <algorithm>
#include <limits>

namespace {

constexpr UINT kFirstRepeat = 300;
constexpr UINT kNextRepeat = 80;
constexpr TColor kGrayText = clSystemColor | COLOR_GRAYTEXT;

int Scaled(int Value, int PPI) { return Value * PPI / 96; }

wchar_t DecimalSeparator() {
  wchar_t Buf[4] = {};
  return GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Buf, 4) > 0 && Buf[0] ? Buf[0] : L'.';
}

// The offset of the client area inside the window rectangle.
POINT ClientOffset(HWND Wnd) {
  RECT W;
  GetWindowRect(Wnd, &W);
  POINT P{0, 0};
  ClientToScreen(Wnd, &P);
  return POINT{P.x - W.left, P.y - W.top};
}

}  // namespace

TsBaseSpinEdit::TsBaseSpinEdit(TComponent* Owner) : TsEdit(Owner) { SkinData()->CtrlKind = 2; }

TsBaseSpinEdit::~TsBaseSpinEdit() {
  Destroying_();
  FRepeatTimer.reset();
}

void TsBaseSpinEdit::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TsBaseSpinEdit::SetFlatSpinButtons(bool Value) {
  if (FFlatSpinButtons == Value) return;
  FFlatSpinButtons = Value;
  PickButtonSection();
  SkinData()->Invalidate();
  RepaintButtons();
}

void TsBaseSpinEdit::SetShowSpinButtons(bool Value) {
  if (FShowSpinButtons == Value) return;
  FShowSpinButtons = Value;
  RecalcFrame(*this);
  SkinData()->Invalidate();
}

void TsBaseSpinEdit::SetHideEmptyText(bool Value) {
  if (FHideEmptyText == Value) return;
  FHideEmptyText = Value;
  SkinData()->Invalidate();
}

void TsBaseSpinEdit::SetButtonWidth(int Value) {
  if (FButtonWidth == Value) return;
  FButtonWidth = Value;
  RecalcFrame(*this);
  SkinData()->Invalidate();
}

void TsBaseSpinEdit::SetButtonsOrientation(TacOrientation Value) {
  if (FButtonsOrientation == Value) return;
  FButtonsOrientation = Value;
  RecalcFrame(*this);
  SkinData()->Invalidate();
}

int TsBaseSpinEdit::SpinButtonWidth() {
  const int PPI = SkinData()->GetPPI();
  return FButtonWidth > 0 ? Scaled(FButtonWidth, PPI) : Scaled(16, PPI);
}

RECT TsBaseSpinEdit::SpinButtonRect(bool Up) {
  const int B = EditBorderWidth(), W = SpinButtonWidth(), H = Height();
  RECT R{B, B, Width() - B, H - B};
  const bool Rtl = BiDiMode() == TBiDiMode::bdRightToLeft || BiDiMode() == TBiDiMode::bdRightToLeftNoAlign;
  if (FButtonsOrientation == TacOrientation::aoVertical) {
    if (Rtl)
      R.right = R.left + W;
    else
      R.left = R.right - W;
    if (Up)
      R.bottom = H / 2;
    else
      R.top = H / 2 + H % 2;
  } else if (Rtl) {
    // Both buttons in the reserved 2w on the left: down first, then up.
    R.left = Up ? B + W : B;
    R.right = R.left + W;
  } else {
    R.right = Up ? Width() - B : Width() - B - W;
    R.left = R.right - W;
  }
  return R;
}

RECT TsBaseSpinEdit::GetTextRect() {
  const int A = EditBorderWidth(), C = BorderStyle() == TBorderStyle::bsSingle ? 1 : 0;
  const int Spacing = Scaled(4, SkinData()->GetPPI());
  int S = FShowSpinButtons ? SpinButtonWidth() + Spacing : 0;
  if (FButtonsOrientation == TacOrientation::aoHorizontal) S *= 2;
  const int G = GlyphAreaWidth();
  RECT R = UseRightToLeftAlignment() ? RECT{S, A + C, Width() - A - G - Spacing / 2, Height() - A}
                                     : RECT{A + C + G, A + C, Width() - A - C - S, Height() - A};
  const RECT P = PaddingRect(Padding(), SkinData()->GetPPI());
  R.left += P.left;
  R.top += P.top;
  R.right -= P.right;
  R.bottom -= P.bottom;
  return R;
}

void TsBaseSpinEdit::CreateParams(TCreateParams& Params) {
  TsEdit::CreateParams(Params);
  // Other programs (and the end-to-end tests) tell it from a plain edit.
  Params.WinClassName = L"KelvraSpinEdit";
  Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
  Params.Style &= ~DWORD(ES_LEFT | ES_RIGHT | ES_CENTER);
  Params.Style |= FAlignment == TAlignment::taRightJustify ? ES_RIGHT
                  : FAlignment == TAlignment::taCenter     ? ES_CENTER
                                                           : ES_LEFT;
}

void TsBaseSpinEdit::InitializeWnd() {
  FCreatingWindow = true;
  TsEdit::InitializeWnd();
  FCreatingWindow = false;
  UpdateEditRect();
}

void TsBaseSpinEdit::UpdateEditRect() {
  const HWND Wnd = HandleIfAllocated();
  if (!Wnd) return;
  RECT Client;
  GetClientRect(Wnd, &Client);
  RECT R;
  SendMessageW(Wnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
  R.top = 0;
  R.bottom = Client.bottom + 1;
  if (UseRightToLeftAlignment()) {
    R.left = 1;
    R.right = Client.right;
  } else {
    R.left = 0;
    R.right = Client.right + 1;
  }
  SendMessageW(Wnd, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&R));
}

void TsBaseSpinEdit::Loaded() {
  TsEdit::Loaded();
  PickButtonSection();
}

void TsBaseSpinEdit::PickButtonSection() {
  TsSkinManager* Manager = SkinData()->GetSkinManager();
  FButtonSection = SkinData()->IsSkinned() && Manager
                       ? Manager->GetSectionIndex(FFlatSpinButtons ? L"TOOLBUTTON" : L"UPDOWNBTN")
                       : -1;
}

bool TsBaseSpinEdit::IsValidChar(wchar_t& Key) {
  const bool Control = Key < 32;
  bool Valid = Control || (Key >= L'0' && Key <= L'9') || Key == L'+' || Key == L'-' || Key == DecimalSeparator();
  if (Key == L'-' && !FAllowNegative) return false;
  if (!FEditorEnabled) Valid = Control && Key != VK_BACK;
  if (!Valid) return false;
  if (Key == VK_TAB || Key == VK_RETURN) {
    Key = 0;
    return true;
  }
  if ((Key == L'+' || Key == L'-') && HandleAllocated()) {
    const String T = Text();
    if (T.empty()) return true;
    DWORD Start = 0, End = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&Start), reinterpret_cast<LPARAM>(&End));
    if (Start != End) return Start == 0;
    if (T[0] == Key) return false;
    // The sign goes in front, over the other sign when there is one.
    const wchar_t Other = Key == L'+' ? L'-' : L'+';
    SendMessageW(Handle(), EM_SETSEL, 0, T[0] == Other ? 1 : 0);
  }
  return true;
}

bool TsBaseSpinEdit::DoKeyPress(wchar_t& Key) {
  if (!IsValidChar(Key)) {
    Key = 0;
    MessageBeep(0);
    return true;
  }
  if (Key == 0) return true;
  return TsEdit::DoKeyPress(Key);
}

bool TsBaseSpinEdit::DoKeyDown(WORD& Key, TShiftState Shift) {
  if (TsEdit::DoKeyDown(Key, Shift)) return true;
  switch (Key) {
    case VK_UP:
      UpClick();
      break;
    case VK_DOWN:
      DownClick();
      break;
    case 'A':
      if ((Shift & (ssCtrl | ssShift | ssAlt)) != ssCtrl) break;
      SelectAll();
      Key = 0;
      if (HandleAllocated()) {
        // The key's character would beep in the edit.
        MSG Pending;
        PeekMessageW(&Pending, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE);
      }
      return true;
    case VK_TAB:
    case VK_RETURN: {
      TWinControl* Target = (Shift & ssShift) ? FPrevTabControl : FNextTabControl;
      if (Target) {
        Key = 0;
        Target->SetFocus();
        return true;
      }
      if (Key == VK_TAB) {
        if (HandleAllocated())
          SendMessageW(GetAncestor(Handle(), GA_ROOT), WM_NEXTDLGCTL, (Shift & ssShift) ? 1 : 0, 0);
      } else if (OnKeyPress) {
        wchar_t Return = L'\r';
        OnKeyPress(this, Return);
      }
      break;
    }
  }
  return Key == 0;
}

void TsBaseSpinEdit::DrawEditText() {
  TsCommonData& Data = *SkinData();
  RECT R = GetTextRect();
  UINT Flags = DT_NOPREFIX | DT_SINGLELINE;
  if (FAlignment == TAlignment::taRightJustify)
    Flags |= DT_RIGHT;
  else if (FAlignment == TAlignment::taCenter)
    Flags |= DT_CENTER;
  if (IsTextEmpty() && (ValueNonZero() || !TextHint().empty() || FHideEmptyText)) {
    if (!Data.Focused && !Focused()) DrawEditTextHint(Data, *this, TextHint(), R, Flags);
    return;
  }
  String Shown = Text();
  if (PasswordChar()) Shown.assign(Shown.size(), PasswordChar());
  DrawEditFaceText(Data, *this, Shown, R, Flags);
}

void TsBaseSpinEdit::PaintButton() {
  if (!FShowSpinButtons || !SkinData()->CacheBmp) return;
  TBitmap& Bmp = *SkinData()->CacheBmp;
  if (!SkinData()->IsSkinned()) {
    // The column behind the buttons in the control's colour.
    RECT Column = SpinButtonRect(true);
    const RECT Down = SpinButtonRect(false);
    UnionRect(&Column, &Column, &Down);
    TOwnedBrush Brush(CreateSolidBrush(SkinColorToRGB(Color(), SkinData()->GetSkinManager())));
    FillRect(Bmp.DC(), &Column, Brush.get());
  }
  PaintSpinButton(Bmp, true, FUpState);
  PaintSpinButton(Bmp, false, FDownState);
}

void TsBaseSpinEdit::PaintSpinButton(TBitmap& Bmp, bool Up, int State) {
  RECT R = SpinButtonRect(Up);
  TsCommonData& Data = *SkinData();
  TsSkinManager* Manager = Data.GetSkinManager();
  const int PPI = Data.GetPPI();
  TColor ArrowColor = Font().Color();
  uint8_t Style = 0;
  if (Data.IsSkinned() && Manager) {
    Style = uint8_t(Manager->Options().GetActualArrowsStyle());
    if (FButtonSection >= 0) {
      TacBackgroundSource Source;
      Source.Bmp = &Bmp;
      Source.Ready = true;
      PaintSkinSectionToDC(FButtonSection, Source, State, R, POINT{R.left, R.top}, Bmp.DC(), Data.GetScaledSkinData());
      const bool ShowsParent = SectionShowsParent(Manager, FButtonSection, State, this);
      if (State == 0) {
        if (!FFlatSpinButtons && !ShowsParent) ArrowColor = GetStateFontColor(this, FButtonSection, Manager, &Data, 0);
      } else if (Data.CustomFont()) {
        ArrowColor = Enabled() ? GetStateFontColor(this, Data.SkinIndex, Manager, &Data, 0) : kGrayText;
      } else if (!ShowsParent) {
        ArrowColor = GetStateFontColor(this, FButtonSection, Manager, &Data, State);
      }
    }
  } else {
    const bool Pressed = Enabled() && State == 2;
    if (!FFlatSpinButtons) {
      InflateRect(&R, 1, 1);
      RECT F = R;
      DrawFrameControl(Bmp.DC(), &F, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Pressed ? DFCS_PUSHED : 0));
    } else if (Pressed) {
      RECT F = R;
      DrawEdge(Bmp.DC(), &F, BDR_SUNKENOUTER, BF_RECT);
    }
    if (!Enabled()) ArrowColor = kGrayText;
  }
  DrawArrowGlyph(Bmp, SkinColorToRGB(ArrowColor, Manager), 0x1FFFFFFF, R, Up ? 1 : 3, 0, 0, Scaled(4, PPI), Style, 96);
}

void TsBaseSpinEdit::SetStates(int Up, int Down) {
  if (FUpState == Up && FDownState == Down) return;
  FUpState = Up;
  FDownState = Down;
  if (!Loading()) RepaintButtons();
}

void TsBaseSpinEdit::RepaintButtons() {
  const HWND Wnd = HandleIfAllocated();
  if (!Wnd) return;
  SkinData()->BGChanged = true;
  if (BuildCache()) SendMessageW(Wnd, WM_NCPAINT, 0, 0);
}

void TsBaseSpinEdit::RepeatTick() {
  try {
    FRepeatTimer->SetInterval(kNextRepeat);
    if (FUpState == 2)
      UpClick();
    else if (FDownState == 2)
      DownClick();
  } catch (...) {
    FRepeatTimer->SetEnabled(false);
    throw;
  }
}

void TsBaseSpinEdit::StopRepeat() {
  // The timer goes at once; a tick already queued finds none.
  FRepeatTimer.reset();
  FMouseHeld = false;
}

bool TsBaseSpinEdit::SpinMouse(TMessage& Message) {
  const HWND Wnd = HandleIfAllocated();
  if (!Wnd) return false;
  const POINT Off = ClientOffset(Wnd);
  const POINT P{GET_X_LPARAM(Message.LParam) + Off.x, GET_Y_LPARAM(Message.LParam) + Off.y};
  const RECT UpR = SpinButtonRect(true), DownR = SpinButtonRect(false);
  const bool OnUp = FShowSpinButtons && PtInRect(&UpR, P);
  const bool OnDown = FShowSpinButtons && !OnUp && PtInRect(&DownR, P);
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (CanFocus() && !Focused()) SetFocus();
      if (OnUp || OnDown) {
        FMouseHeld = true;
        SetCapture(Wnd);
        SetStates(OnUp ? 2 : 0, OnDown ? 2 : 0);
        if (!FRepeatTimer) {
          FRepeatTimer = std::make_unique<TTimer>(nullptr);
          FRepeatTimer->OnTimer = [this](TObject*) { RepeatTick(); };
        }
        FRepeatTimer->SetInterval(kFirstRepeat);
        FRepeatTimer->SetEnabled(true);
        return true;
      }
      FMouseHeld = false;
      return false;
    case WM_MOUSEMOVE:
      if (OnUp || OnDown) {
        const int S = FMouseHeld ? 2 : 1;
        SetStates(OnUp ? S : 0, OnDown ? S : 0);
        return true;
      }
      SetStates(0, 0);
      return false;
    case WM_LBUTTONUP: {
      StopRepeat();
      if (FShowSpinButtons && GetCapture() == Wnd) ReleaseCapture();
      if (OnUp || OnDown) {
        if (OnUp && FUpState == 2) {
          SetStates(1, 0);
          UpClick();
        } else if (OnDown && FDownState == 2) {
          SetStates(0, 1);
          DownClick();
        }
        return true;
      }
      SetStates(0, 0);
      return false;
    }
  }
  return false;
}

void TsBaseSpinEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      if (SpinMouse(Message)) return;
      break;
    case WM_SETCURSOR:
      if (HandleAllocated() && LOWORD(Message.LParam) == HTCLIENT) {
        POINT P;
        GetCursorPos(&P);
        RECT W;
        GetWindowRect(Handle(), &W);
        P.x -= W.left;
        P.y -= W.top;
        const RECT UpR = SpinButtonRect(true), DownR = SpinButtonRect(false);
        if (FShowSpinButtons && (PtInRect(&UpR, P) || PtInRect(&DownR, P))) {
          ::SetCursor(Screen->Cursors(crArrow));
          Message.Result = 1;
          return;
        }
      }
      break;
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
      if (!FMouseHeld) SetStates(0, 0);
      break;
    case WM_CUT:
    case WM_PASTE:
      if (!FEditorEnabled || ReadOnly()) return;
      break;
    case WM_GETDLGCODE:
      TsEdit::WndProc(Message);
      Message.Result &= ~LRESULT(DLGC_HASSETSEL);
      return;
    case WM_KILLFOCUS:
      SkinData()->StopFading();
      break;
    case CN_COMMAND:
      // No change is told while the window is being made.
      if (FCreatingWindow && HIWORD(Message.WParam) == EN_CHANGE) return;
      break;
    case WM_NCCALCSIZE: {
      TsEdit::WndProc(Message);
      if (FShowSpinButtons && Message.LParam) {
        auto* Client = reinterpret_cast<RECT*>(Message.LParam);
        const int W = SpinButtonWidth() * (FButtonsOrientation == TacOrientation::aoHorizontal ? 2 : 1);
        if (BiDiMode() == TBiDiMode::bdRightToLeft || BiDiMode() == TBiDiMode::bdRightToLeftNoAlign)
          Client->left += W;
        else
          Client->right -= W;
      }
      return;
    }
    case WM_NCPAINT: {
      const bool Skinned = SkinData()->IsSkinned();
      // The edit's frame first: it rebuilds a stale cache on the way.
      TsEdit::WndProc(Message);
      if (!Skinned) {
        SkinData()->BGChanged = true;
        BuildCache();
      } else if (SkinData()->CheckUpdating(false) || SkinData()->BGChanged) {
        return;
      }
      if (FShowSpinButtons && SkinData()->CacheBmp && HandleAllocated()) {
        RECT Column = SpinButtonRect(true);
        Column.bottom = Height() - 1;
        const RECT Down = SpinButtonRect(false);
        if (FButtonsOrientation == TacOrientation::aoHorizontal) UnionRect(&Column, &Column, &Down);
        const HWND Wnd = Handle();
        if (const HDC DC = GetWindowDC(Wnd)) {
          BitBlt(DC, Column.left, Column.top, Column.right - Column.left, Column.bottom - Column.top,
                 SkinData()->CacheBmp->DC(), Column.left, Column.top, SRCCOPY);
          ReleaseDC(Wnd, DC);
        }
      }
      return;
    }
    case WM_SIZE:
    case CM_FONTCHANGED:
      TsEdit::WndProc(Message);
      UpdateEditRect();
      if (!SkinData()->IsSkinned() && !Loading()) RepaintButtons();
      return;
    case WM_SKINCOMMAND:
      switch (SkinCommandCode(Message.WParam)) {
        case AC_SKINLOADED:
        case AC_SKINREMOVED:
          TsEdit::WndProc(Message);
          PickButtonSection();
          return;
        case AC_GETBGCOLOR:
          if (!SkinData()->IsSkinned()) break;
          Message.Result = LRESULT(SkinData()->GetBgColor());
          return;
      }
      break;
    case CM_COLORCHANGED:
      TsEdit::WndProc(Message);
      if (SkinData()->CustomColor()) RepaintButtons();
      return;
  }
  TsEdit::WndProc(Message);
}

TsSpinEdit::TsSpinEdit(TComponent* Owner) : TsBaseSpinEdit(Owner) {}

int64_t TsSpinEdit::Value() const {
  const String T = Text();
  if (T.empty()) return 0;
  int64_t V;
  return TryStrToInt64(T, V) ? V : FMinValue;
}

int64_t TsSpinEdit::CheckValue(int64_t V) const {
  if (FMinValue == FMaxValue) return V < 0 && !AllowNegative() ? std::max<int64_t>(FMinValue, 0) : V;
  if (FMaxValue != 0 && V > FMaxValue) return FMaxValue;
  if (FMinValue != 0 && V < FMinValue) return FMinValue;
  return V;
}

void TsSpinEdit::SetValue(int64_t V) {
  if (V < 0 && !AllowNegative()) V = std::max<int64_t>(FMinValue, 0);
  if (Loading()) return;
  SetText(IntToStr(CheckValue(V)));
}

void TsSpinEdit::SetDefaultValue(int64_t Value) {
  if (FDefaultValue == Value) return;
  FDefaultValue = Value;
  SkinData()->Invalidate();
}

void TsSpinEdit::Step(int64_t Steps) {
  int64_t Delta, Result;
  if (__builtin_mul_overflow(FIncrement, Steps, &Delta))
    Delta = (FIncrement < 0) != (Steps < 0) ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
  if (__builtin_add_overflow(Value(), Delta, &Result))
    Result = Delta < 0 ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
  SetValue(Result);
}

void TsSpinEdit::UpClick() {
  if (ReadOnly())
    MessageBeep(0);
  else if (OnUpClick)
    OnUpClick(this);
  else
    Step(1);
}

void TsSpinEdit::DownClick() {
  if (ReadOnly())
    MessageBeep(0);
  else if (OnDownClick)
    OnDownClick(this);
  else
    Step(-1);
}

bool TsSpinEdit::IsValidChar(wchar_t& Key) {
  if (Key == L'-' && !(AllowNegative() && FMinValue <= 0)) return false;
  return TsBaseSpinEdit::IsValidChar(Key);
}

void TsSpinEdit::Loaded() {
  TsBaseSpinEdit::Loaded();
  TNotifyEvent Saved = OnChange;
  OnChange = nullptr;
  const String T = Text();
  SetText(T.empty() ? String(L"0") : IntToStr(Value()));
  OnChange = Saved;
}

void TsSpinEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_EXIT: {
      TsBaseSpinEdit::WndProc(Message);
      const String T = Text();
      if (T == L"-0" || T == L"-" || T == L"+0" || T == L"+") SetText(L"0");
      const int64_t V = Value();
      if (CheckValue(V) != V) SetValue(V);
      return;
    }
    case WM_MOUSEWHEEL:
      if (!ReadOnly()) {
        Step(GET_WHEEL_DELTA_WPARAM(Message.WParam) / WHEEL_DELTA);
        Message.Result = 0;
        return;
      }
      break;
    case WM_PASTE: {
      if (!EditorEnabled() || ReadOnly()) return;
      // What the paste leaves must be a number within the limits, checked
      // on all 64 bits; else the number before it comes back.
      const int64_t Before = Value();
      TsBaseSpinEdit::WndProc(Message);
      int64_t After;
      if (!TryStrToInt64(Text(), After) || CheckValue(After) != After) SetText(IntToStr(Before));
      return;
    }
  }
  TsBaseSpinEdit::WndProc(Message);
}
