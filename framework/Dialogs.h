#pragma once
// The standard message boxes.
#include "framework/System.h"

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8 };
using TMsgDlgButtons = unsigned;

// Shows a modal message box with the type's caption and icon; returns the
// identifier of the button pressed (IDOK, IDCANCEL, ...).
int MessageDlg(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
void ShowMessage(const String& msg);
