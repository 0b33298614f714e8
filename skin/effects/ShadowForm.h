#pragma once
// The soft shadow behind a pop-up form or a pop-up menu window: a layered,
// click-through window that follows its owner and sits right behind it.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/Bitmap.h"
#include "framework/Form.h"

class TsCommonData;
class TacSkinData;

// Borderless tool window that is never activated and never takes the mouse.
class TacShadowForm : public TForm {
 public:
  TacShadowForm();

  TsCommonData* OwnerSkinData = nullptr;
  TForm* OwnerForm = nullptr;
  uint8_t Alpha = 255;
  bool Released = false;
  HWND OwnerWnd = nullptr;
  // The owner form's window method before the shadow hooked it.
  TWndMethod SavedProc;
  bool Hidden = true;
  int LastAlpha = -1;
  // The hook installed in the owner form, so that release can tell whether
  // someone hooked the form after the shadow did.
  std::shared_ptr<void> HookState;

 protected:
  // The owner form freed: the shadow goes with it.
  void Notification(TComponent* Component, TOperation Operation) override;
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
};

// Shadow widths around the owner: the skin's window shadow size and offset
// (Data nullptr: no skin, 13 on every side).
RECT ShadowMargins(const TacSkinData* Data);
// The picture stretched around the owner: the skin's active-window shadow,
// or one fall-back shape shared by every shadow without a skin.
TBitmap* ShadowImage(TacSkinData* Data);
// The shadow's whole picture for an owner of Width x Height: Image framed
// around a transparent hole of the owner's size, Margins thick.
std::unique_ptr<TBitmap> MakeShadowBitmap(TBitmap& Image, int Width, int Height, const RECT& Margins);

// A hidden shadow of Form, hooked into the form's window method.
TacShadowForm* CreateFormShadowForm(TForm* Form, bool Visible);
// A shadow of a bare window (a pop-up menu) with a constant alpha.
TacShadowForm* CreateShadowForm(HWND Wnd, TsCommonData* SkinData, uint8_t Alpha, bool Visible);
// Paints and places the shadow around the owner rectangle (screen
// coordinates); nothing once released.
void SetShadowBounds(TacShadowForm* Shadow, int Left, int Top, int Width, int Height, uint8_t Alpha);
// Around the owner window's current rectangle.
void UpdateShadowForm(TacShadowForm* Shadow);
void HideShadowForm(TacShadowForm* Shadow);
// Unhooks the owner, hides the shadow and frees it from the message loop.
void ReleaseShadowForm(TacShadowForm* Shadow);
// The shadow's data of the skin in use, nullptr without a skin.
TacSkinData* ShadowSkinData(TacShadowForm* Shadow);

// The record of AC_MENUSHADOW: where the owner shows now.
struct TacMenuShadowRecord {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  uint8_t Alpha = 255;
};

// The fall-back shadow picture is freed at the end of the program.
void FreeShadowImage();
