#pragma once
// Small routines every part of the skin engine uses: the true Windows
// version and optional system functions, density scaling, the index over a
// skin's option text, integer and rectangle arithmetic, tokens, paths.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "framework/FileSearch.h"
#include "framework/Messages.h"
#include "framework/StringList.h"
#include "framework/System.h"
#include "skin/graphics/SkinTypes.h"

class TControl;
class TGraphic;

// Unit start-up and shut-down, counted so only the outermost pair acts.
void InitSkinUtils();
void DoneSkinUtils();

void ReadWindowsVersion();
int WinMajorVersion();
bool IsWinVistaOrLater();
bool IsWin8OrLater();
bool IsWin10OrLater();
// From the version reported to the process.
bool IsWinXPOrLater();
bool IsWin81OrLater();
bool SystemParamsForDpi(UINT Action, UINT Param, void* PParam, UINT PPI);
int CaptionFontHeight(int PPI);
HFONT CreateCaptionFont(int PPI);  // the caller deletes it
bool MinAnimationEnabled();
void SetMinAnimation(bool Enabled);
bool IsDebuggerAttached();
bool RunningUnderWow64();
bool Wow64WithoutComposition();
void LoadShellFileInfo();

// Density scaling; the skin comes in 96, 120, 144 and 192 pixels per inch.
inline int ScaleByPPI(int Value, int PPI) { return Value * PPI / 96; }
int ScaleByIndex(int Value, int Index);
int PPIToScaleIndex(int PPI);
RECT PaddingRect(const TacPadding& Padding, int PPI);

// The option text's sections: each name with its lines, in file order.
struct TacIniSection {
  String Name;
  std::vector<String> Lines;
};
using TacIniSections = std::vector<TacIniSection>;
void ParseIniSections(const std::vector<String>& Lines, TacIniSections& Sections);
void ParseIniSections(const TStrings& Lines, TacIniSections& Sections);
// Section names match without regard to case, as do key names.
String IniSectionString(const TacIniSections& Sections, const String& Section, const String& Ident,
                        const String& Default);
int IniSectionInteger(const TacIniSections& Sections, const String& Section, const String& Ident, int Default);

template <typename T>
T Choose(bool Condition, T IfTrue, T IfFalse) {
  return Condition ? IfTrue : IfFalse;
}
inline int IntMax(int A, int B) { return A > B ? A : B; }
inline int IntMin(int A, int B) { return A < B ? A : B; }
inline void SwapInts(int& A, int& B) { std::swap(A, B); }
inline int ClampInt(int Value, int Min, int Max) { return Value < Min ? Min : Value > Max ? Max : Value; }
inline bool IsValidIndex(int Index, int Count, int MinIndex = 0) { return MinIndex <= Index && Index < Count; }
bool IsBetween(int Value, int Low, int High, bool AnyOrder = false);

// The arguments come as Right, Bottom, Left, Top.
inline RECT MakeRect(int Right, int Bottom, int Left = 0, int Top = 0) { return RECT{Left, Top, Right, Bottom}; }
inline RECT SizeRect(SIZE Size) { return RECT{0, 0, Size.cx, Size.cy}; }
inline POINT MakePoint(int X, int Y) { return POINT{X, Y}; }
inline POINT MakeSize(int Width, int Height) { return POINT{Width, Height}; }
// (0, 0, width, height) and (width, height) of a picture.
RECT GraphicRect(const TGraphic& Graphic);
POINT GraphicSize(const TGraphic& Graphic);
// (0, 0, Width, Height) and (Left, Top) of a control.
RECT ControlSizeRect(const TControl& Control);
POINT ControlPos(const TControl& Control);
int RectWidth(const RECT& R, bool NonNegative = false);
int RectHeight(const RECT& R, bool NonNegative = false);
POINT RectSize(const RECT& R);
RECT ShiftRect(const RECT& R, int Delta);
RECT ShiftRectXY(const RECT& R, int DX, int DY);
RECT ShrinkRect(const RECT& R, const RECT& Margins);
RECT CommonRect(const RECT& A, const RECT& B);
bool RectsIntersect(const RECT& Bounds, const RECT& R);
bool RectWithin(const RECT& Outer, const RECT& Inner, bool Entirely);
RECT MirrorRect(const RECT& R, int Width, int Height, bool Horizontal);
RECT MirrorRectIn(const RECT& R, const RECT& Bounds, bool Horizontal);

int64_t HexToInt64(const String& S);
// 1-based position of the N-th word (0 when none). With SkipRuns, runs of
// delimiters separate words; without, every delimiter ends a field.
int WordStart(int N, const String& S, const String& Delims, bool SkipRuns = true);
String GetWord(int N, const String& S, const String& Delims, bool SkipRuns = true);
int CountWords(const String& S, const String& Delims);
// The token forms are the same routines under the names some callers use.
inline int TokenStart(int N, const String& S, const String& Delims, bool SkipRuns = true) {
  return WordStart(N, S, Delims, SkipRuns);
}
inline String GetToken(int N, const String& S, const String& Delims, bool SkipRuns = true) {
  return GetWord(N, S, Delims, SkipRuns);
}
inline int CountTokens(const String& S, const String& Delims) { return CountWords(S, Delims); }
inline bool CharIsDelimiter(wchar_t Ch, const String& Delims) { return Delims.find(Ch) != String::npos; }
String RepeatChar(wchar_t Ch, int Count);
inline String FillChars(int Count, wchar_t Ch) { return RepeatChar(Ch, Count); }
String PadLeft(wchar_t Ch, const String& S, int Width);
String StripChar(const String& S, wchar_t Ch);
String ReplaceAll(const String& S, const String& Old, const String& New);
bool ContainsAnyChar(const String& Text, const String& Chars);

String AddTrailingBackslash(const String& Path);
bool IsValidPathName(const String& Path);
bool DirectoryExistsQuiet(const String& Dir);
String AppFolder();
// Nil when the file is missing or the shell gives no icon; the caller owns it.
HICON ShellFileIcon(const String& FileName, UINT Flags);

// The run-time library's file search (0 = found); the skin list searches
// the skin folder with them.
inline int SearchFirst(const String& Path, int Attr, TSearchRec& SR) { return FindFirst(Path, Attr, SR); }
inline int SearchNext(TSearchRec& SR) { return FindNext(SR); }
inline void SearchClose(TSearchRec& SR) { FindClose(SR); }

inline TMessage MakeMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT Result = 0) {
  return TMessage{Msg, WParam, LParam, Result};
}
// The engine's misuse reports: a modal box with the single button OK.
void ShowWarning(const String& Text);
inline void ShowAlert(const String& Text) { ShowWarning(Text); }
void ShowError(const String& Text);

// Appends Item unless the list already holds that very object.
template <typename T>
void AddUniqueToList(T* Item, std::vector<T*>& List) {
  if (std::find(List.begin(), List.end(), Item) == List.end()) List.push_back(Item);
}

// Lets the application handle its messages until the time has passed.
void WaitProcessingMessages(DWORD Milliseconds);
void WaitUntilTick(DWORD StartTick, DWORD Interval);
void InitBlendFunction(BLENDFUNCTION& Blend, uint8_t Alpha);
TacBackgroundSource BitmapBackgroundSource(TBitmap* Bmp, int X, int Y);
