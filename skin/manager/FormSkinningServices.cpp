#include "skin/manager/FormSkinningServices.h"

#include "framework/Application.h"
#include "skin/core/SkinCommand.h"
#include "skin/manager/ReceivedSkin.h"
#include "skin/manager/SkinManager.h"

bool PreviewMode = false;

bool IsPreviewArgument(const String& firstArgument) { return firstArgument == L"/acpreview"; }

LRESULT CALLBACK SkinCbtHookProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void FreeMenuWrappers() {}

bool StartMinimizeAnimation(TForm*) { return false; }
bool StartRestoreAnimation(TForm*) { return false; }
bool AnimateFormHide(TForm*, int, int) { return false; }
void PaintMenuWindow(HWND) {}
HWND PopupWindowOfItem(TMenuItem*) { return nullptr; }

bool AcceptReceivedSkin(const COPYDATASTRUCT& data) {
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  if (!manager || !Application) return false;
  auto skin = ParseReceivedSkin(data);
  if (!skin) return false;
  manager->KeepReceivedSkin(std::move(*skin));
  // Applied later from the message loop: the sender is waiting for its
  // SendMessage to return, and loading a skin takes a while.
  PostMessageW(Application->Handle(), WM_SKINCOMMAND, SkinCommandWParam(AC_APPLYRECEIVEDSKIN), 0);
  return true;
}
