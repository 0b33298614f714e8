#include "keyboard/KbTouchKeyboard.h"

#include <cwctype>

namespace {

constexpr UINT kRepeatInterval = 200;
constexpr UINT kCapsWatchInterval = 250;
// The first repeat comes at the third tick of the repeat timer.
constexpr int kFirstRepeatTick = 3;

using SK = TSpecialKey;

int DefaultVirtualKey(SK k) {
  switch (k) {
    case SK::skReturn:
      return VK_RETURN;
    case SK::skSpaceBar:
      return VK_SPACE;
    case SK::skLeft:
      return VK_LEFT;
    case SK::skRight:
      return VK_RIGHT;
    case SK::skUp:
      return VK_UP;
    case SK::skDown:
      return VK_DOWN;
    case SK::skNext:
      return VK_NEXT;
    case SK::skPrior:
      return VK_PRIOR;
    case SK::skHome:
      return VK_HOME;
    case SK::skEnd:
      return VK_END;
    case SK::skDelete:
      return VK_DELETE;
    case SK::skEscape:
      return VK_ESCAPE;
    default:
      if (k >= SK::skF1 && k <= SK::skF12) return VK_F1 + (static_cast<int>(k) - static_cast<int>(SK::skF1));
      return -1;
  }
}

void Stroke(int virtualKey, bool up) {
  keybd_event(static_cast<BYTE>(virtualKey), static_cast<BYTE>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)),
              up ? KEYEVENTF_KEYUP : 0, 0);
}

String ClassNameUpper(HWND wnd) {
  wchar_t name[256] = {};
  GetClassNameW(wnd, name, 256);
  return UpperCase(name);
}

String LowerText(String s) {
  if (!s.empty()) CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
  return s;
}

}  // namespace

// ---- Items and the collection ---------------------------------------------

TKbTouchKeyItem::TKbTouchKeyItem(TKbTouchKeyboard* keyboard) : FKeyboard(keyboard) {
  FKey = new TKbTouchKey(keyboard, this);
  FKey->SetBounds(20, 20, 40, 40);
  FKey->SetParent(keyboard);
}

TKbTouchKeyItem::~TKbTouchKeyItem() { delete FKey; }

int TKbTouchKeyItem::Index() const { return FKeyboard->Keys().IndexOf(this); }

void TKbTouchKeyItem::Assign(const TKbTouchKeyItem& source) {
  const TKbTouchKey& s = *source.FKey;
  TKbTouchKey& d = *FKey;
  d.SetBounds(s.Left(), s.Top(), s.Width(), s.Height());
  d.AutoPost = s.AutoPost;
  d.SetCaption(s.Caption());
  d.ShiftCaption = s.ShiftCaption;
  d.AltGrCaption = s.AltGrCaption;
  d.KeyValue = s.KeyValue;
  d.ShiftKeyValue = s.ShiftKeyValue;
  d.AltGrKeyValue = s.AltGrKeyValue;
  d.PictureDownState.Assign(s.PictureDownState);
  d.PictureNormalState.Assign(s.PictureNormalState);
  d.SpecialKey = s.SpecialKey;
  d.BorderColor = s.BorderColor;
  d.BorderColorDown = s.BorderColorDown;
  d.SetColor(s.Color());
  d.ColorDown = s.ColorDown;
  d.TextColor = s.TextColor;
  d.TextColorDown = s.TextColorDown;
  d.ImageIndex = s.ImageIndex;
  d.ShortCut = s.ShortCut;
}

TKbTouchKeyItem* TKbTouchKeyCollection::Add() {
  FItems.push_back(std::make_unique<TKbTouchKeyItem>(FOwner));
  return FItems.back().get();
}

int TKbTouchKeyCollection::IndexOf(const TKbTouchKeyItem* item) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == item) return static_cast<int>(i);
  return -1;
}

void TKbTouchKeyCollection::Assign(const TKbTouchKeyCollection& source) {
  Clear();
  for (const auto& item : source.FItems) Add()->Assign(*item);
}

// ---- The keyboard -----------------------------------------------------------

TKbTouchKeyboard::TKbTouchKeyboard(TComponent* owner) : TCustomControl(owner), FKeys(this) {
  SetBounds(0, 0, 160, 200);
  SetColor(clBtnFace);
  Font().SetSize(8);
  FSmallFont.Assign(Font());
  FSmallFont.SetSize(7);
  FCapsLock = (GetKeyState(VK_CAPITAL) & 1) != 0;

  FRepeatTimer = new TTimer(this);
  FRepeatTimer->SetEnabled(false);
  FRepeatTimer->SetInterval(kRepeatInterval);
  FRepeatTimer->OnTimer = [this](TObject*) { RepeatTimerTick(); };
  FCapsTimer = new TTimer(this);
  FCapsTimer->SetInterval(kCapsWatchInterval);
  FCapsTimer->OnTimer = [this](TObject*) { CapsWatchTick(); };
  FCapsTimer->SetEnabled(true);

  SetKeyboardType(TKeyboardType::ktQWERTY);
}

TKbTouchKeyboard::~TKbTouchKeyboard() { FKeys.Clear(); }

void TKbTouchKeyboard::SetKeyboardType(TKeyboardType type) {
  FKeyboardType = type;
  FKeys.Clear();
  FShiftState = 0;
  switch (type) {
    case TKeyboardType::ktQWERTY:
      BuildQwerty();
      break;
    case TKeyboardType::ktAZERTY:
      BuildAzerty();
      break;
    case TKeyboardType::ktDVORAK:
      BuildDvorak();
      break;
    case TKeyboardType::ktNUMERIC:
      BuildNumeric();
      break;
    case TKeyboardType::ktCELLPHONE:
      BuildCellPhone();
      break;
    case TKeyboardType::ktQWERTZ:
      BuildQwertz();
      break;
    case TKeyboardType::ktCustom:
      break;
  }
  Invalidate();
}

bool TKbTouchKeyboard::CapsKeyLatched() const {
  for (int i = 0; i < FKeys.Count(); ++i) {
    const TKbTouchKey* k = FKeys.Items(i)->Key();
    if (k->SpecialKey == SK::skCaps && k->PressCount() > 0) return true;
  }
  return false;
}

bool TKbTouchKeyboard::CaptionsFollowShift() const {
  return FAutoCapsDisplay || FHighlightCaps != clNone || FHighlightAltGr != clNone;
}

void TKbTouchKeyboard::RepaintKeys() {
  HWND wnd = HandleIfAllocated();
  if (!wnd) return;
  FNoErase = true;
  for (int i = 0; i < FKeys.Count(); ++i) {
    RECT r = FKeys.Items(i)->Key()->BoundsRect();
    InvalidateRect(wnd, &r, FALSE);
  }
  UpdateWindow(wnd);
  FNoErase = false;
}

void TKbTouchKeyboard::Paint(TCanvas& canvas) {
  if (FNoErase) return;
  canvas.SetBrushColor(Color());
  canvas.FillRect(ClientRect());
}

void TKbTouchKeyboard::WndProc(TMessage& m) {
  if (m.Msg == WM_ERASEBKGND && FNoErase) {
    m.Result = 1;
    return;
  }
  TCustomControl::WndProc(m);
}

TShiftState TKbTouchKeyboard::LatchFlags(SK k) {
  switch (k) {
    case SK::skAlt:
      return ssAlt;
    case SK::skAltGr:
      return ssAlt | ssCtrl;
    case SK::skShift:
    case SK::skCaps:
      return ssShift;
    case SK::skCtrl:
      return ssCtrl;
    default:
      return 0;
  }
}

void TKbTouchKeyboard::PressKey(int index) {
  TKbTouchKey* key = FKeys.Items(index)->Key();
  key->BeginPress();
  key->FinishPress();
}

void TKbTouchKey::BeginPress() {
  TKbTouchKeyboard& kb = *FKeyboard;
  if (IsLatchingKey(SpecialKey)) {
    ++FPressCount;
    kb.FShiftState |= TKbTouchKeyboard::LatchFlags(SpecialKey);
    FShownUp = false;
    if (kb.CaptionsFollowShift()) kb.RepaintKeys();
  } else if (SpecialKey != TSpecialKey::skApp) {
    kb.FRepeatKey = FItem->Index();
    kb.FRepeatTicks = 0;
    kb.FRepeatFocus = GetFocus();
    kb.FRepeatTimer->SetEnabled(true);
  }
  FShownUp = false;
  Invalidate();
}

void TKbTouchKey::FinishPress() {
  switch (SpecialKey) {
    case TSpecialKey::skAlt:
    case TSpecialKey::skAltGr:
    case TSpecialKey::skShift:
    case TSpecialKey::skCaps:
    case TSpecialKey::skCtrl:
      FKeyboard->SendKey(FItem->Index());
      break;
    default:
      break;
  }
}

void TKbTouchKeyboard::ReleaseKey(int index) {
  TKbTouchKey* key = FKeys.Items(index)->Key();
  if (!IsLatchingKey(key->SpecialKey)) {
    SendKey(index);
    StopRepeat();
  } else if (key->FPressCount < 2) {
    return;  // latched until the second press
  } else {
    key->FPressCount = 0;
    FShiftState &= ~LatchFlags(key->SpecialKey);
    if (CaptionsFollowShift()) RepaintKeys();
  }
  if (key->FPressCount == 0) {
    key->FShownUp = true;
    key->Invalidate();
    if (IsModifierKey(key->SpecialKey)) ShareDrawnState(key);
    if (OnKeyClick) OnKeyClick(this, index);
  }
}

void TKbTouchKeyboard::ShareDrawnState(TKbTouchKey* key) {
  for (int i = 0; i < FKeys.Count(); ++i) {
    TKbTouchKey* other = FKeys.Items(i)->Key();
    if (other == key || other->SpecialKey != key->SpecialKey) continue;
    if (other->FShownUp != key->FShownUp) {
      other->FShownUp = key->FShownUp;
      other->Invalidate();
    }
  }
}

void TKbTouchKeyboard::ReleaseShiftKeys() {
  for (int i = 0; i < FKeys.Count(); ++i) {
    TKbTouchKey* k = FKeys.Items(i)->Key();
    if (k->SpecialKey != SK::skShift) continue;
    k->FPressCount = 0;
    k->FShownUp = true;
    k->Invalidate();
  }
  if (FShiftState & ssShift) {
    FShiftState &= ~ssShift;
    RepaintKeys();
  }
}

void TKbTouchKeyboard::SendKey(int index) {
  TKbTouchKey* key = FKeys.Items(index)->Key();
  int virtualKey = key->KeyValue;
  if (FAutoPostKey) {
    if (!key->ShortCut.empty()) {
      HWND focus = GetFocus();
      for (wchar_t c : key->ShortCut) {
        SendMessageW(focus, WM_KEYDOWN, c, 0);
        SendMessageW(focus, WM_CHAR, c, 0);
        SendMessageW(focus, WM_KEYUP, c, 0);
      }
    } else if (key->SpecialKey != SK::skNone) {
      if (virtualKey == -1) virtualKey = DefaultVirtualKey(key->SpecialKey);
      SendSpecialKey(virtualKey, FShiftState);
    } else {
      SendCharacterKey(key);
    }
  }
  if (IsModifierKey(key->SpecialKey))
    ShareDrawnState(key);
  else if (!CapsKeyLatched())
    ReleaseShiftKeys();
  if (OnKeyDown) {
    WORD vk = static_cast<WORD>(virtualKey);
    OnKeyDown(FKeys.Items(index), vk, FShiftState);
  }
  if (key->SpecialKey == SK::skApp) {
    key->FShownUp = true;
    key->Invalidate();
  }
}

void TKbTouchKeyboard::SendSpecialKey(int virtualKey, TShiftState shift) {
  if (virtualKey == VK_CAPITAL) FCapsLock = !FCapsLock;
  if (virtualKey == VK_SHIFT) FCapsLock = false;
  if (shift & ssCtrl) Stroke(VK_CONTROL, false);
  if (shift & ssShift) Stroke(VK_SHIFT, false);
  if (shift & ssAlt) Stroke(VK_MENU, false);
  HWND focus = GetFocus();
  if (virtualKey == VK_TAB) {
    if (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB) {
      SendMessageW(focus, WM_KEYDOWN, VK_TAB, 0);
      SendMessageW(focus, WM_CHAR, VK_TAB, 0);
      SendMessageW(focus, WM_KEYUP, VK_TAB, 0);
    } else {
      PostMessageW(focus, WM_KEYDOWN, VK_TAB, 0);
    }
  } else if (virtualKey >= VK_LEFT && virtualKey <= VK_DOWN) {
    SendMessageW(focus, WM_KEYDOWN, virtualKey, 0);
    SendMessageW(focus, WM_KEYUP, virtualKey, 0);
  } else if (virtualKey > 0) {
    Stroke(virtualKey, false);
    Stroke(virtualKey, true);
  }
  if (shift & ssAlt) Stroke(VK_MENU, true);
  if (shift & ssShift) Stroke(VK_SHIFT, true);
  if (shift & ssCtrl) Stroke(VK_CONTROL, true);
}

void TKbTouchKeyboard::SendCharacterKey(TKbTouchKey* key) {
  String text;
  int value = -1;
  if (((FShiftState & ssShift) || CapsKeyLatched()) && key->SpecialKey != SK::skShift) {
    text = key->ShiftCaption.empty() ? key->Caption() : key->ShiftCaption;
    value = key->ShiftKeyValue;
  } else if (FCapsLock) {
    text = key->Caption();
  } else if ((FShiftState & (ssCtrl | ssAlt)) == (ssCtrl | ssAlt) && key->SpecialKey != SK::skAltGr) {
    text = key->AltGrCaption;
  } else {
    text = LowerText(key->Caption());
    value = key->KeyValue;
  }

  HWND focus = GetFocus();
  HWND tested = focus;
  if (ClassNameUpper(focus).find(L"EDIT") != String::npos) tested = GetParent(focus);
  const bool combo = tested && ClassNameUpper(tested).find(L"COMBO") != String::npos;

  if (value != -1 && key->AutoPost) {
    if (!combo) SendMessageW(focus, WM_KEYDOWN, value, 0);
    SendMessageW(focus, WM_CHAR, value, 0);
    if (!combo) SendMessageW(focus, WM_KEYUP, value, 0);
  } else if (!text.empty() && key->AutoPost) {
    const wchar_t c = text[0];
    const wchar_t upper = static_cast<wchar_t>(std::towupper(c));
    const bool keyCode = !combo && upper >= L'0' && upper <= L'Z';
    if (keyCode) SendMessageW(focus, WM_KEYDOWN, upper, 0);
    SendMessageW(focus, WM_CHAR, c, 0);
    if (keyCode) SendMessageW(focus, WM_KEYUP, upper, 0);
  }
}

void TKbTouchKeyboard::StopRepeat() {
  FRepeatTimer->SetEnabled(false);
  FRepeatTicks = 0;
}

void TKbTouchKeyboard::RepeatTimerTick() {
  ++FRepeatTicks;
  if (FRepeatTicks < kFirstRepeatTick) return;
  if (GetFocus() != FRepeatFocus || FRepeatKey < 0 || FRepeatKey >= FKeys.Count()) {
    StopRepeat();
    return;
  }
  SendKey(FRepeatKey);
}

void TKbTouchKeyboard::CapsWatchTick() {
  const bool on = (GetKeyState(VK_CAPITAL) & 1) != 0;
  if (on == FCapsLock) return;
  FCapsLock = on;
  RepaintKeys();
}
