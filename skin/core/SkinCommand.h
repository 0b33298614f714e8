#pragma once
// WM_SKINCOMMAND: the one private message by which the parts of the skin
// engine talk to each other's windows. WParam carries the command code in
// its high word and a small argument in its low word; LParam a pointer, a
// manager, a handle or a value; the result is the answer, 0 when the
// receiver does not know the skin.
#include <windows.h>

#include <cstdint>

#include "framework/Messages.h"

class TControl;
class TWinControl;

constexpr UINT WM_SKINCOMMAND = 0xA100;
// The exchange with an external skin editor window.
constexpr UINT WM_SKINEDITOR = 0xA400;

enum TacCommand : uint16_t {
  AC_SKINLOADED = 1,
  AC_SKINREMOVED = 2,
  AC_SKINREFRESH = 3,
  AC_GETPROVIDER = 4,
  AC_CODE5 = 5,
  AC_UPDATEDONE = 6,
  AC_ISSKINNED = 7,
  AC_SETUPDATING = 8,
  AC_GETDEFINDEX = 9,
  AC_ISUPDATING = 10,
  AC_GETCHILDBGFLAG = 11,
  AC_GETWRAPPER = 12,
  AC_REPAINTIFSECTION = 13,
  AC_MENUBORDERS = 14,
  AC_SETSECTION = 15,
  AC_STOPFADING = 16,
  AC_INVALIDATEALL = 17,
  AC_REDRAW = 18,
  AC_ISSKINAWARE = 19,
  AC_PARENTBGCHANGED = 20,
  AC_GETBGCOLOR = 21,
  AC_SETCHILDBGFLAG = 22,
  AC_BUILDCACHE = 23,
  AC_CONTROLLOADED = 25,
  AC_GETSKININDEX = 26,
  AC_GETSKINMANAGER = 27,
  AC_CODE28 = 28,
  AC_MOUSEENTER = 29,
  AC_MOUSELEAVE = 30,
  AC_BEGINUPDATE = 31,
  AC_ENDUPDATE = 32,
  AC_FREECACHE = 33,
  AC_GETBG = 34,
  AC_FONTSCHANGED = 36,
  AC_GETCOMMONDATA = 37,
  AC_SETPRINTDC = 38,
  AC_MOUSELIGHT = 39,
  AC_PAINTOUTER = 40,
  AC_LISTCHILDWND = 41,
  AC_SETOPAQUE = 42,
  AC_CODE43 = 43,
  AC_CODE44 = 44,
  AC_BEFORESCROLL = 51,
  AC_AFTERSCROLL = 52,
  AC_REFRESHFRAME = 53,
  AC_GETGLOWDATA = 54,
  AC_REGISTERFRAME = 55,
  AC_GETAPPLICATION = 60,
  AC_GETFRAMESIZES = 61,
  AC_TITLECHANGED = 62,
  AC_MARKFORM = 63,
  AC_QUERYFORMMARK = 64,
  AC_SETFORMBLEND = 65,
  AC_GETBGSKININDEX = 66,
  AC_GETFRAMEMETRIC = 67,
  AC_SETPPI = 68,
  AC_GETPPI = 69,
  AC_GETBOUNDS = 70,
  AC_APPLYRECEIVEDSKIN = 71,
  AC_POPUPCLOSED = 72,
  AC_MENUSHADOW = 73,
  AC_SKINLISTUPDATING = 74,
  AC_SKINLISTCHANGED = 75,
  AC_NEWFORMCACHE = 76,
  AC_CODE77 = 77,
  AC_SETBORDERBLEND = 78,
  AC_GETINSERTAFTER = 79,
  AC_CODE80 = 80,
  AC_CODE81 = 81,
  AC_STOPEFFECTS = 82,
  AC_OPTIONCHANGED = 83,
  AC_MIRRORED = 84,
  AC_ISOPAQUE = 85,
  AC_GETSKINDATA = 86,
  AC_RESCALE = 87,
  AC_GETDEFSECTION = 88,
  AC_GETEFFECTRECT = 89,
  AC_GETEDITRECT = 90,
  AC_CODE91 = 91,
  AC_SETALTMANAGER = 92,
  AC_SKINLISTSCAN = 97,
};

// The WParam of a command: code in the high word, argument in the low word.
constexpr WPARAM SkinCommandWParam(uint16_t Code, uint16_t Argument = 0) {
  return WPARAM(uint32_t(Code) << 16 | Argument);
}
constexpr uint16_t SkinCommandCode(WPARAM WParam) { return uint16_t(WParam >> 16); }
constexpr uint16_t SkinCommandArgument(WPARAM WParam) { return uint16_t(WParam); }

class TsSkinManager;

// The query record of AC_GETBGSKININDEX.
struct TacBgIndexQuery {
  int32_t State;
  int32_t SectionIndex;  // the asker's on the way in, the answer's on the way out
  RECT Rect;             // in the receiver's coordinates
  TsSkinManager* Manager;
};

// What a window's "ACSDATA" property points to: the object that handles
// its skin messages without going through the window's queue.
class TacSkinMessageTarget {
 public:
  virtual ~TacSkinMessageTarget() = default;
  virtual LRESULT SkinWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) = 0;
};

constexpr const wchar_t* acSkinDataProperty = L"ACSDATA";
// Carried by windows whose scroll bars a wrapper paints.
constexpr const wchar_t* acScrollWrapperProperty = L"ACSBSC";

// To the window's skin handler directly when it has one, else SendMessage.
LRESULT SendWndMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
LRESULT SendWndCommand(HWND Wnd, uint16_t Code, LPARAM LParam);

// True when the window answers the command with 1.
bool AskWndCommand(HWND Wnd, uint16_t Code);
// The window paints itself from the skin: it carries skin data or a scroll
// wrapper, or says so when asked AC_ISSKINNED.
bool IsWindowSkinned(HWND Wnd);

// Through the control's own message dispatch (WindowProc), so graphic
// controls and controls without a window answer too. 0 for no control.
LRESULT SendCtrlCommand(TControl* Control, uint16_t Code, LPARAM LParam);
inline LRESULT QueryCtrlCommand(TControl* Control, uint16_t Code) { return SendCtrlCommand(Control, Code, 0); }

// To every child control, all the way down: windowed children that have a
// window get it through SendWndMessage, and the walk goes on below those
// that do not skin themselves (a skinned one passes it on by its own
// rules); graphic children get it through their dispatch. A child being
// destroyed ends the walk. Result holds the last answer.
void BroadcastToChildren(TWinControl* Control, TMessage& Message);
