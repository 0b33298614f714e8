#pragma once
// The touch keyboard: a panel of keys laid out by one of six built-in layouts,
// which types into whatever control has the focus without taking it.
#include "framework/Timer.h"
#include "framework/WinControl.h"
#include "keyboard/KbTouchKey.h"

#include <commctrl.h>

#include <memory>
#include <vector>

class TKbTouchKeyboard;

// A key's entry in the keyboard's Keys: creating one creates its key control.
class TKbTouchKeyItem : public TObject {
 public:
  explicit TKbTouchKeyItem(TKbTouchKeyboard* keyboard);
  ~TKbTouchKeyItem() override;
  TKbTouchKeyItem(const TKbTouchKeyItem&) = delete;
  TKbTouchKeyItem& operator=(const TKbTouchKeyItem&) = delete;

  TKbTouchKey* Key() const { return FKey; }
  int X() const { return FKey->Left(); }
  void SetX(int v) { FKey->SetLeft(v); }
  int Y() const { return FKey->Top(); }
  void SetY(int v) { FKey->SetTop(v); }
  int Width() const { return FKey->Width(); }
  int Height() const { return FKey->Height(); }
  String Caption() const { return FKey->Caption(); }
  void SetCaption(const String& s) { FKey->SetCaption(s); }
  TSpecialKey SpecialKey() const { return FKey->SpecialKey; }
  int Index() const;
  // Copies every published value of another item.
  void Assign(const TKbTouchKeyItem& source);
  String DisplayName() const { return L"Key " + Caption(); }

 private:
  TKbTouchKeyboard* FKeyboard;
  TKbTouchKey* FKey;
};

class TKbTouchKeyCollection {
 public:
  explicit TKbTouchKeyCollection(TKbTouchKeyboard* owner) : FOwner(owner) {}
  TKbTouchKeyboard* Owner() const { return FOwner; }
  TKbTouchKeyItem* Add();
  void Clear() { FItems.clear(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  TKbTouchKeyItem* Items(int i) const { return FItems[i].get(); }
  int IndexOf(const TKbTouchKeyItem* item) const;
  void Assign(const TKbTouchKeyCollection& source);

 private:
  TKbTouchKeyboard* FOwner;
  std::vector<std::unique_ptr<TKbTouchKeyItem>> FItems;
};

using TKbKeyClickEvent = std::function<void(TObject* Sender, int KeyIndex)>;
using TKbDrawKeyEvent = std::function<void(TObject* Sender, TKbTouchKeyItem* Key, TCanvas& Canvas, bool Down,
                                           const RECT& Rect, bool& DefaultDraw)>;

class TKbTouchKeyboard : public TCustomControl {
  friend class TKbTouchKey;

 public:
  explicit TKbTouchKeyboard(TComponent* owner);
  ~TKbTouchKeyboard() override;

  TFont& SmallFont() { return FSmallFont; }
  const TFont& SmallFont() const { return FSmallFont; }
  bool AutoPostKey() const { return FAutoPostKey; }
  void SetAutoPostKey(bool v) { FAutoPostKey = v; }
  bool AutoCapsDisplay() const { return FAutoCapsDisplay; }
  void SetAutoCapsDisplay(bool v) {
    FAutoCapsDisplay = v;
    RepaintKeys();
  }
  TColor HighlightCaps() const { return FHighlightCaps; }
  void SetHighlightCaps(TColor v) {
    FHighlightCaps = v;
    RepaintKeys();
  }
  TColor HighlightAltGr() const { return FHighlightAltGr; }
  void SetHighlightAltGr(TColor v) {
    FHighlightAltGr = v;
    RepaintKeys();
  }
  // Not owned; image 0 is the picture of the Windows keys.
  HIMAGELIST Images() const { return FImages; }
  void SetImages(HIMAGELIST v) {
    FImages = v;
    RepaintKeys();
  }
  TKeyboardType KeyboardType() const { return FKeyboardType; }
  void SetKeyboardType(TKeyboardType type);
  int KeyDistance() const { return FKeyDistance; }
  void SetKeyDistance(int v) {
    FKeyDistance = v;
    RepaintKeys();
  }
  TKbTouchKeyCollection& Keys() { return FKeys; }
  TPicture& PictureNormalState() { return FPictureNormalState; }
  TPicture& PictureDownState() { return FPictureDownState; }
  static String Version() { return L"1.2.13.2"; }

  TKbKeyClickEvent OnKeyClick;
  TKeyEvent OnKeyDown;
  TKbDrawKeyEvent OnDrawKey;

  TShiftState ShiftState() const { return FShiftState; }
  bool CapsLockMirror() const { return FCapsLock; }
  // True while a Caps Lock key of the keyboard is latched down.
  bool CapsKeyLatched() const;
  // Repaints every key without erasing the keyboard's background first.
  void RepaintKeys();

  // What a key press and release do; the keys call them, tests may too.
  void PressKey(int index);
  void ReleaseKey(int index);
  void SendKey(int index);

  TTimer* RepeatTimer() const { return FRepeatTimer; }

 protected:
  void Paint(TCanvas& canvas) override;
  void WndProc(TMessage& message) override;

 private:
  static TShiftState LatchFlags(TSpecialKey k);
  void AddKey(const String& caption, const String& shiftCaption, const String& altGrCaption, int keyValue,
              int shiftKeyValue, int altGrKeyValue, int imageIndex, int width, int height, int& x, int y,
              TSpecialKey special, TColor color);
  void BuildQwerty();
  void BuildAzerty();
  void BuildDvorak();
  void BuildQwertz();
  void BuildNumeric();
  void BuildCellPhone();
  bool CaptionsFollowShift() const;
  void SendSpecialKey(int virtualKey, TShiftState shift);
  void SendCharacterKey(TKbTouchKey* key);
  void ShareDrawnState(TKbTouchKey* key);
  void ReleaseShiftKeys();
  void StopRepeat();
  void RepeatTimerTick();
  void CapsWatchTick();

  TFont FSmallFont;
  bool FAutoPostKey = true;
  bool FAutoCapsDisplay = false;
  TColor FHighlightCaps = clNone;
  TColor FHighlightAltGr = clNone;
  HIMAGELIST FImages = nullptr;
  TKeyboardType FKeyboardType = TKeyboardType::ktCustom;
  int FKeyDistance = 0;
  TKbTouchKeyCollection FKeys;
  TPicture FPictureNormalState;
  TPicture FPictureDownState;

  TShiftState FShiftState = 0;
  bool FCapsLock = false;
  int FRepeatKey = -1;
  int FRepeatTicks = 0;
  HWND FRepeatFocus = nullptr;
  TTimer* FRepeatTimer;
  TTimer* FCapsTimer;
  bool FNoErase = false;
};
