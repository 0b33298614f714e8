#pragma once
// The skin engine's message box: the system message box, opened so that the
// skinned-dialog wrapper can paint it, place it at a requested point and keep
// the rest of the application disabled while it is open.
#include "framework/System.h"

#include <cstdint>
#include <functional>

enum class TsMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// A set of buttons, one bit each.
using TsMsgDlgButtons = uint16_t;
constexpr TsMsgDlgButtons mbsYes = 1 << 0, mbsNo = 1 << 1, mbsOK = 1 << 2, mbsCancel = 1 << 3, mbsAbort = 1 << 4,
                          mbsRetry = 1 << 5, mbsIgnore = 1 << 6, mbsAll = 1 << 7, mbsNoToAll = 1 << 8,
                          mbsYesToAll = 1 << 9, mbsHelp = 1 << 10;

// Captions by dialog type: "Warning", "Error", "Information", "Confirm", and
// none for a custom box.
extern const wchar_t* const MsgDlgCaptions[5];

// Where the open box is to be placed, -1 when no place was asked for; valid
// only while a box is open (the skinned-dialog wrapper reads them).
extern int MsgDlgPosX;
extern int MsgDlgPosY;

// The application's help, opened with a box's help context when its Help
// button is pressed; nothing while unset.
using TacMsgDlgHelp = std::function<void(int HelpContext)>;
TacMsgDlgHelp& MsgDlgHelp();

// The message-box style of a dialog type and button set (icon, buttons, Help,
// right-to-left reading).
UINT MsgDlgStyle(TsMsgDlgType DlgType, TsMsgDlgButtons Buttons, bool RightToLeft = false);

// Shows the box with the caption of its type; returns the system's button id
// (IDOK, IDCANCEL, IDYES ...) or 0 when the box could not be shown.
int SkinnedMessageDlg(const String& Msg, TsMsgDlgType DlgType, TsMsgDlgButtons Buttons, int HelpCtx = 0);
// The same with a caption (empty: the type's) at a screen point (-1, -1: where
// the system puts it).
int SkinnedMessageDlgPos(const String& Caption, const String& Msg, TsMsgDlgType DlgType, TsMsgDlgButtons Buttons,
                         int HelpCtx, int X, int Y);
