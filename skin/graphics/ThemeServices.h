#pragma once
// The system's visual styles, bound by name from uxtheme.dll on first use:
// without the library, its functions, or an active theme every caller
// takes its classic drawing.
#include <windows.h>

// True when the library is there and the user and the program are themed.
bool ThemesActive();
// Part and State of the theme class ClassList (as "BUTTON") drawn into R;
// Content, when given, receives the part's content rectangle. False when
// themes are not active or the element could not be drawn.
bool DrawThemedElement(HDC DC, const wchar_t* ClassList, int Part, int State, const RECT& R, RECT* Content = nullptr);
