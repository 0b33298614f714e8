#pragma once
// What the skin state's message handling asks of the services above it: the
// effects (glow and effect windows, pulse frames, mouse light), form skinning
// (opacity passed to children, graphic children painted into a print DC),
// skinned menus and the hints of disabled controls. Those libraries sit
// above this one, so each service is a hook the providing library sets at
// start; until it does, the service does nothing.
#include <windows.h>

class TControl;
class TWinControl;
class TsCommonData;
class TsCtrlSkinData;
class TsSkinManager;

struct TacStateServices {
  // The mouse-light lists of the effects.
  void (*AddLightControl)(TsCtrlSkinData* Data) = nullptr;
  void (*RemoveLightControl)(TsCtrlSkinData* Data) = nullptr;
  void (*UpdateMouseLight)(TsCtrlSkinData* Data, bool Repaint) = nullptr;
  // The pulse animation paints its current frame again.
  void (*RedrawPulseFrame)(TsCommonData* Data) = nullptr;
  // Glow and effect windows, by the ids the effects gave out.
  void (*UpdateLayeredEffect)(int Id) = nullptr;
  void (*ReleaseEffectForm)(int Id) = nullptr;
  // Form skinning: the opacity of Control handed down to its children.
  void (*PropagateOpaqueState)(TControl* Control, bool PassOn) = nullptr;
  // Form skinning: graphic children of Container painted into DC at Offset.
  void (*PaintGraphicChildren)(TWinControl* Container, HDC DC, POINT Offset) = nullptr;
  // True while a form show or hide animation runs.
  bool (*FormAnimationRunning)() = nullptr;
  // The visual style of an unskinned window back, when themes are in use.
  void (*RestoreWindowTheme)(HWND Wnd) = nullptr;
  // Menu skinning prepares the owner's popup menu.
  void (*HookPopupMenu)(TControl* Owner, TsSkinManager* Manager, bool Active) = nullptr;
  // Hints of disabled children under the mouse; true when one was handled.
  bool (*HandleDisabledHints)(TsCommonData* Data, int X, int Y) = nullptr;
  // The hints component follows the mouse entering and leaving a control.
  void (*HintsMouseEnter)(TsCommonData* Data) = nullptr;
  void (*HintsMouseLeave)(TsCommonData* Data) = nullptr;
};

// Set once by the libraries that provide the services, before any window.
extern TacStateServices StateServices;
