#include "skin/effects/ShadowForm.h"

#include <algorithm>

#include "skin/core/SkinCommand.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/Gradients.h"
#include "skin/graphics/MarginStretch.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"

namespace {

// Windows tagged so are left alone by the form skinning and the dialog hook.
constexpr intptr_t kSkinExclusionTag = 256;
constexpr int kNoSkinShadowSize = 13;

std::unique_ptr<TBitmap> gFallbackShadow;

struct TShadowHook {
  TacShadowForm* Shadow = nullptr;
  TWndMethod Saved;
};

void CallSaved(const TShadowHook& Hook, TMessage& Message) {
  if (Hook.Saved) Hook.Saved(Message);
}

// The owner's messages pass here first: the shadow follows, hides and
// moves with the owner; AC_MENUSHADOW moves it during a show animation.
void OwnerProc(const std::shared_ptr<TShadowHook>& Hook, TMessage& Message) {
  TacShadowForm* shadow = Hook->Shadow;
  if (shadow && Message.Msg == WM_SKINCOMMAND && HIWORD(Message.WParam) == AC_MENUSHADOW) {
    shadow->Hidden = false;
    auto* rec = reinterpret_cast<const TacMenuShadowRecord*>(Message.LParam);
    if (rec && rec->Height > 0)
      SetShadowBounds(shadow, rec->Left, rec->Top, rec->Width, rec->Height, rec->Alpha);
    else if (!rec)
      UpdateShadowForm(shadow);
    Message.Result = 1;
    return;
  }
  if (shadow && (Message.Msg == WM_CLOSE || (Message.Msg == WM_SHOWWINDOW && Message.WParam == 0)))
    HideShadowForm(shadow);
  const bool ownerGoes = Message.Msg == WM_DESTROY;
  CallSaved(*Hook, Message);
  // The saved method may have released the shadow meanwhile.
  shadow = Hook->Shadow;
  if (!shadow) return;
  if (ownerGoes) {
    ReleaseShadowForm(shadow);
    return;
  }
  if (Message.Msg == WM_SIZE || Message.Msg == WM_WINDOWPOSCHANGING || Message.Msg == WM_WINDOWPOSCHANGED) {
    HWND owner = shadow->OwnerWnd;
    if (owner && IsWindowVisible(owner))
      UpdateShadowForm(shadow);
    else if (shadow->HandleAllocated() && IsWindowVisible(shadow->Handle()))
      ShowWindow(shadow->Handle(), SW_HIDE);
  }
}

}  // namespace

TacShadowForm::TacShadowForm() : TForm(nullptr, CreateNew) {
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetTag(kSkinExclusionTag);
}

void TacShadowForm::Notification(TComponent* Component, TOperation Operation) {
  TForm::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == OwnerForm) ReleaseShadowForm(this);
}

void TacShadowForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  Params.ClassStyle &= ~UINT(CS_DROPSHADOW);
}

void TacShadowForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST:
      Message.Result = HTTRANSPARENT;
      return;
    case WM_MOUSEACTIVATE:
      Message.Result = MA_NOACTIVATE;
      return;
  }
  TForm::WndProc(Message);
}

RECT ShadowMargins(const TacSkinData* Data) {
  if (!Data) return RECT{kNoSkinShadowSize, kNoSkinShadowSize, kNoSkinShadowSize, kNoSkinShadowSize};
  const int size = Data->WShadowSize, offset = Data->WShadowOffset;
  return RECT{size, std::max(0, size - offset), size, std::max(0, size + offset)};
}

TBitmap* ShadowImage(TacSkinData* Data) {
  if (Data) return Data->GetActiveShadowBmp();
  if (!gFallbackShadow) gFallbackShadow = CreateGlowShape(0x44000000, 17, 2, 8, 0, 0, false, true);
  return gFallbackShadow.get();
}

void FreeShadowImage() { gFallbackShadow.reset(); }

std::unique_ptr<TBitmap> MakeShadowBitmap(TBitmap& Image, int Width, int Height, const RECT& Margins) {
  auto bmp = NewBitmap32(std::max<int>(0, Width + Margins.left + Margins.right),
                         std::max<int>(0, Height + Margins.top + Margins.bottom));
  FillRect32(*bmp, RECT{0, 0, bmp->Width(), bmp->Height()}, 0, 0);
  if (Image.Empty() || bmp->Empty()) return bmp;
  const int mx = (Image.Width() - 1) / 2, my = (Image.Height() - 1) / 2;
  StretchBitmapByMargins(*bmp, Image, RECT{0, 0, bmp->Width(), bmp->Height()},
                         RECT{0, 0, Image.Width(), Image.Height()}, RECT{mx, my, mx, my}, Margins, RECT{1, 1, 1, 1},
                         true, false);
  return bmp;
}

TacSkinData* ShadowSkinData(TacShadowForm* Shadow) {
  TsSkinManager* manager = Shadow && Shadow->OwnerSkinData ? Shadow->OwnerSkinData->GetSkinManager()
                                                           : TsSkinManager::DefaultManager();
  if (!manager || !manager->IsSkinLoaded()) return nullptr;
  if (Shadow && Shadow->OwnerSkinData) {
    if (TacSkinData* data = Shadow->OwnerSkinData->GetScaledSkinData()) return data;
  }
  return manager->GetSkinDataForPPI(96);
}

void SetShadowBounds(TacShadowForm* Shadow, int Left, int Top, int Width, int Height, uint8_t Alpha) {
  if (!Shadow || Shadow->Released) return;
  Shadow->LastAlpha = Alpha;
  TacSkinData* data = ShadowSkinData(Shadow);
  const RECT m = ShadowMargins(data);
  TBitmap* image = ShadowImage(data);
  if (!image) return;
  auto bmp = MakeShadowBitmap(*image, Width, Height, m);
  HWND wnd = Shadow->Handle();
  SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  HDC screen = GetDC(nullptr);
  SIZE size{bmp->Width(), bmp->Height()};
  POINT src{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, Alpha, AC_SRC_ALPHA};
  UpdateLayeredWindow(wnd, screen, nullptr, &size, bmp->DC(), &src, 0, &blend, ULW_ALPHA);
  ReleaseDC(nullptr, screen);
  Shadow->SetBounds(Left - m.left, Top - m.top, size.cx, size.cy);
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  if (Shadow->OwnerWnd)
    SetWindowPos(wnd, Shadow->OwnerWnd, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING |
                     SWP_SHOWWINDOW);
}

void UpdateShadowForm(TacShadowForm* Shadow) {
  if (!Shadow || Shadow->Hidden || !Shadow->OwnerWnd || !IsWindowVisible(Shadow->OwnerWnd)) return;
  RECT r;
  GetWindowRect(Shadow->OwnerWnd, &r);
  SetShadowBounds(Shadow, r.left, r.top, r.right - r.left, r.bottom - r.top,
                  Shadow->LastAlpha >= 0 ? uint8_t(Shadow->LastAlpha) : Shadow->Alpha);
}

void HideShadowForm(TacShadowForm* Shadow) {
  if (!Shadow) return;
  Shadow->Hide();
  if (Shadow->HandleAllocated()) ShowWindow(Shadow->Handle(), SW_HIDE);
  Shadow->Hidden = true;
}

TacShadowForm* CreateFormShadowForm(TForm* Form, bool Visible) {
  if (!Form) return nullptr;
  auto* shadow = new TacShadowForm();
  shadow->OwnerForm = Form;
  shadow->OwnerWnd = Form->Handle();
  shadow->Alpha = 255;
  auto hook = std::make_shared<TShadowHook>();
  hook->Shadow = shadow;
  hook->Saved = Form->WindowProc;
  shadow->SavedProc = Form->WindowProc;
  shadow->HookState = hook;
  // The hook holds its state itself: the owner may drop this method while
  // it runs (a release from inside the owner's own handling).
  Form->WindowProc = [hook](TMessage& m) {
    std::shared_ptr<TShadowHook> keep = hook;
    OwnerProc(keep, m);
  };
  Form->FreeNotification(shadow);
  shadow->Hidden = !Visible;
  if (Visible) UpdateShadowForm(shadow);
  return shadow;
}

TacShadowForm* CreateShadowForm(HWND Wnd, TsCommonData* SkinData, uint8_t Alpha, bool Visible) {
  auto* shadow = new TacShadowForm();
  shadow->OwnerWnd = Wnd;
  shadow->OwnerSkinData = SkinData;
  shadow->Alpha = Alpha;
  shadow->Hidden = !Visible;
  if (Visible) UpdateShadowForm(shadow);
  return shadow;
}

void ReleaseShadowForm(TacShadowForm* Shadow) {
  if (!Shadow || Shadow->Released) return;
  Shadow->Released = true;
  if (auto hook = std::static_pointer_cast<TShadowHook>(Shadow->HookState)) {
    hook->Shadow = nullptr;
    // Hooks are undone in the reverse order they were made (the pop-up
    // handler hooks before its shadow), so the saved method is the current
    // one's predecessor.
    if (Shadow->OwnerForm && !Shadow->OwnerForm->Destroying()) Shadow->OwnerForm->WindowProc = hook->Saved;
  }
  if (Shadow->OwnerForm) Shadow->OwnerForm->RemoveFreeNotification(Shadow);
  Shadow->HookState.reset();
  Shadow->SavedProc = nullptr;
  Shadow->OwnerForm = nullptr;
  Shadow->OwnerWnd = nullptr;
  Shadow->OwnerSkinData = nullptr;
  HideShadowForm(Shadow);
  if (Shadow->HandleAllocated())
    Shadow->Release();
  else
    delete Shadow;
}
