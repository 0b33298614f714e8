#pragma once
// What the skin manager asks of form skinning (the per-form providers, the
// adoption of new windows, skinned menus). Form skinning is not built yet:
// each service here does the least that keeps the manager's side whole, and
// form skinning takes them over when it comes.
#include <windows.h>

#include "framework/System.h"

class TForm;
class TMenuItem;

// Set at start-up when the first command-line argument is "/acpreview": a
// skin is being previewed, so a skin newer than the engine is no surprise.
extern bool PreviewMode;
bool IsPreviewArgument(const String& firstArgument);

// A window the creation hook wrapped for skinning; the manager redraws and
// frees them.
class TacWrappedWindow {
 public:
  virtual ~TacWrappedWindow() = default;
  virtual HWND Handle() const = 0;
};

// The thread's WH_CBT hook procedure: adopts new top-level and menu windows.
// Until form skinning exists it passes every event on.
LRESULT CALLBACK SkinCbtHookProc(int code, WPARAM wParam, LPARAM lParam);
// Frees the popup-menu wrappers the creation hook made.
void FreeMenuWrappers();

// Animated minimise and restore of the main form; true when the animation
// took over. None runs yet.
bool StartMinimizeAnimation(TForm* form);
bool StartRestoreAnimation(TForm* form);
// Animated hiding of the main form; true when it ran.
bool AnimateFormHide(TForm* form, int time, int mode);
// Paints the skinned popup menu into a "#32768" window.
void PaintMenuWindow(HWND menuWindow);
// The window under the centre of the first item of the menu that holds
// Item, where the popup-menu skinning shows it; none yet.
HWND PopupWindowOfItem(TMenuItem* item);

// A skin another process sent (WM_COPYDATA): a record of exactly the right
// size and tag is kept by the default manager, and the application window is
// told to apply it. False when the data is not such a record.
bool AcceptReceivedSkin(const COPYDATASTRUCT& data);
