#pragma once
// One key of the touch keyboard: a windowless control its keyboard paints
// and routes the mouse to.
#include "framework/Image.h"
#include "keyboard/KbTypes.h"

class TKbTouchKeyboard;
class TKbTouchKeyItem;

class TKbTouchKey : public TGraphicControl {
  friend class TKbTouchKeyboard;

 public:
  TKbTouchKey(TKbTouchKeyboard* keyboard, TKbTouchKeyItem* item);

  TKbTouchKeyItem* Item() const { return FItem; }
  TKbTouchKeyboard* Keyboard() const { return FKeyboard; }

  bool AutoPost = true;
  String ShiftCaption;
  String AltGrCaption;
  int KeyValue = -1;
  int ShiftKeyValue = -1;
  int AltGrKeyValue = -1;
  TSpecialKey SpecialKey = TSpecialKey::skNone;
  TColor BorderColor = 0x808080;
  TColor BorderColorDown = 0;
  TColor ColorDown = 0x808080;
  TColor TextColor = 0;
  TColor TextColorDown = 0;
  int ImageIndex = -1;
  TPicture PictureNormalState;
  TPicture PictureDownState;
  String ShortCut;
  TKeyEvent OnKeyDown;

  // Face colour when up; the control's own Color.
  TColor KeyColor() const { return Color(); }
  void SetKeyColor(TColor c) { SetColor(c); }

  int PressCount() const { return FPressCount; }
  bool ShownUp() const { return FShownUp; }
  bool DrawnDown() const { return !FShownUp; }
  // The font the label is drawn in: the small one for anything but a lone character.
  const TFont& LabelFont() const;

 protected:
  void Paint(TCanvas& canvas) override;
  void WndProc(TMessage& message) override;

 private:
  // A press in two halves, so the key's own mouse-down event runs between them.
  void BeginPress();
  void FinishPress();
  void PaintFace(HDC dc, bool down);
  void PaintPicture(HDC dc, const TPicture& picture);
  void PaintLabel(TCanvas& canvas, bool down);

  TKbTouchKeyboard* FKeyboard;
  TKbTouchKeyItem* FItem;
  int FPressCount = 0;
  bool FShownUp = true;
};
