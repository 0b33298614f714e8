#include "skin/core/SkinUtils.h"

#include <shellapi.h>

#include <algorithm>

#include "framework/Application.h"
#include "framework/Control.h"
#include "framework/Dialogs.h"
#include "framework/Graphic.h"
#include "framework/WindowsVersion.h"

namespace {

struct UtilsUnit {
  int Nesting = 0;
  uint8_t Major = 0, Minor = 0;
  HMODULE Kernel = nullptr, Shell = nullptr, User = nullptr;
  BOOL(WINAPI* IsDebuggerPresent)() = nullptr;
  DWORD_PTR(WINAPI* SHGetFileInfoW)(LPCWSTR, DWORD, SHFILEINFOW*, UINT, UINT) = nullptr;
  BOOL(WINAPI* SystemParametersInfoForDpi)(UINT, UINT, void*, UINT, UINT) = nullptr;
  bool Wow64WithoutComposition = false;
};

UtilsUnit& Unit() {
  static UtilsUnit Instance;
  return Instance;
}

template <typename T>
void Bind(T& Target, HMODULE Module, const char* Name) {
  Target = Module ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(Module, Name))) : nullptr;
}

bool IsDelimiter(wchar_t c, const String& Delims) { return Delims.find(c) != String::npos; }

bool DwmComposes() {
  using Query = HRESULT(WINAPI*)(BOOL*);
  HMODULE Dwm = LoadLibraryW(L"dwmapi.dll");
  if (!Dwm) return false;
  auto Fn = reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(Dwm, "DwmIsCompositionEnabled")));
  BOOL On = FALSE;
  bool Result = Fn && SUCCEEDED(Fn(&On)) && On;
  FreeLibrary(Dwm);
  return Result;
}

}  // namespace

void ReadWindowsVersion() {
  UtilsUnit& u = Unit();
  const TReportedVersion Reported = ReportedWindowsVersion();
  u.Major = uint8_t(Reported.Major);
  u.Minor = uint8_t(Reported.Minor);
  if (Reported.Major > 6 || (Reported.Major == 6 && Reported.Minor >= 2)) {
    // From 6.2 on the reported version may be held back; the kernel's is not.
    const OSVERSIONINFOEXW Kernel = KernelWindowsVersion();
    if (Kernel.dwMajorVersion != 0) {
      u.Major = uint8_t(Kernel.dwMajorVersion);
      u.Minor = uint8_t(Kernel.dwMinorVersion);
    }
  }
}

int WinMajorVersion() {
  if (Unit().Major == 0) ReadWindowsVersion();
  return Unit().Major;
}

bool IsWinVistaOrLater() { return WinMajorVersion() >= 6; }
bool IsWin8OrLater() { return WinMajorVersion() > 6 || (WinMajorVersion() == 6 && Unit().Minor >= 2); }
bool IsWin10OrLater() { return WinMajorVersion() >= 10; }

bool IsWinXPOrLater() {
  const auto [Major, Minor] = ReportedWindowsVersion();
  return Major > 5 || (Major == 5 && Minor >= 1);
}

bool IsWin81OrLater() {
  const auto [Major, Minor] = ReportedWindowsVersion();
  return Major > 6 || (Major == 6 && Minor >= 3);
}

bool SystemParamsForDpi(UINT Action, UINT Param, void* PParam, UINT PPI) {
  if (IsWin81OrLater() && Unit().SystemParametersInfoForDpi &&
      Unit().SystemParametersInfoForDpi(Action, Param, PParam, 0, PPI))
    return true;
  return SystemParametersInfoW(Action, Param, PParam, 0) != FALSE;
}

int CaptionFontHeight(int PPI) {
  NONCLIENTMETRICSW Metrics = {};
  Metrics.cbSize = sizeof(Metrics);
  if (!SystemParamsForDpi(SPI_GETNONCLIENTMETRICS, sizeof(Metrics), &Metrics, UINT(PPI))) return 0;
  return std::min<int>(Metrics.lfCaptionFont.lfHeight, -11);
}

HFONT CreateCaptionFont(int PPI) {
  NONCLIENTMETRICSW Metrics = {};
  Metrics.cbSize = sizeof(Metrics);
  if (!SystemParamsForDpi(SPI_GETNONCLIENTMETRICS, sizeof(Metrics), &Metrics, UINT(PPI))) return nullptr;
  Metrics.lfCaptionFont.lfHeight = std::min<LONG>(Metrics.lfCaptionFont.lfHeight, -11);
  return CreateFontIndirectW(&Metrics.lfCaptionFont);
}

bool MinAnimationEnabled() {
  ANIMATIONINFO Info = {sizeof(ANIMATIONINFO), 0};
  return SystemParametersInfoW(SPI_GETANIMATION, sizeof(Info), &Info, 0) && Info.iMinAnimate != 0;
}

void SetMinAnimation(bool Enabled) {
  ANIMATIONINFO Info = {sizeof(ANIMATIONINFO), Enabled ? -1 : 0};
  SystemParametersInfoW(SPI_SETANIMATION, sizeof(Info), &Info, 0);
}

bool IsDebuggerAttached() { return Unit().IsDebuggerPresent ? Unit().IsDebuggerPresent() != FALSE : true; }

bool RunningUnderWow64() { return ProcessIsWow64().value_or(false); }

bool Wow64WithoutComposition() { return Unit().Wow64WithoutComposition; }

void LoadShellFileInfo() {
  UtilsUnit& u = Unit();
  if (!u.Shell) u.Shell = LoadLibraryW(L"shell32.dll");
  if (!u.SHGetFileInfoW) Bind(u.SHGetFileInfoW, u.Shell, "SHGetFileInfoW");
}

void InitSkinUtils() {
  UtilsUnit& u = Unit();
  if (u.Nesting++ > 0) return;
  ReadWindowsVersion();
  u.Kernel = LoadLibraryW(L"kernel32.dll");
  Bind(u.IsDebuggerPresent, u.Kernel, "IsDebuggerPresent");
  u.Wow64WithoutComposition = RunningUnderWow64() && !DwmComposes();
  LoadShellFileInfo();
  u.User = LoadLibraryW(L"user32.dll");
  Bind(u.SystemParametersInfoForDpi, u.User, "SystemParametersInfoForDpi");
}

void DoneSkinUtils() {
  UtilsUnit& u = Unit();
  if (u.Nesting == 0 || --u.Nesting > 0) return;
  for (HMODULE m : {u.Kernel, u.Shell, u.User})
    if (m) FreeLibrary(m);
  u = UtilsUnit{};
}

int ScaleByIndex(int Value, int Index) {
  switch (Index) {
    case 1:
      return Value + Value / 4;
    case 2:
      return Value + Value / 2;
    case 3:
      return Value * 2;
    default:
      return Value;
  }
}

int PPIToScaleIndex(int PPI) { return PPI < 111 ? 0 : PPI < 135 ? 1 : PPI < 171 ? 2 : 3; }

RECT PaddingRect(const TacPadding& Padding, int PPI) {
  return RECT{ScaleByPPI(Padding.Left, PPI), ScaleByPPI(Padding.Top, PPI), ScaleByPPI(Padding.Right, PPI),
              ScaleByPPI(Padding.Bottom, PPI)};
}

void ParseIniSections(const std::vector<String>& Lines, TacIniSections& Sections) {
  Sections.clear();
  TacIniSection* Current = nullptr;
  for (const String& Line : Lines) {
    if (Line.empty() || Line[0] == L';') continue;
    if (Line.front() == L'[' && Line.back() == L']' && Line.size() >= 2) {
      Sections.push_back(TacIniSection{Line.substr(1, Line.size() - 2), {}});
      Current = &Sections.back();
    } else if (Current) {
      Current->Lines.push_back(Line);
    }
  }
}

void ParseIniSections(const TStrings& Lines, TacIniSections& Sections) {
  std::vector<String> Copy;
  Copy.reserve(size_t(Lines.Count()));
  for (int i = 0; i < Lines.Count(); ++i) Copy.push_back(Lines.Get(i));
  ParseIniSections(Copy, Sections);
}

String IniSectionString(const TacIniSections& Sections, const String& Section, const String& Ident,
                        const String& Default) {
  auto Found = std::find_if(Sections.begin(), Sections.end(),
                            [&](const TacIniSection& s) { return CompareText(s.Name, Section) == 0; });
  if (Found == Sections.end()) return Default;
  for (const String& Line : Found->Lines) {
    size_t Equals = Line.find(L'=');
    if (Equals != String::npos && CompareText(Line.substr(0, Equals), Ident) == 0)
      return Line.size() > Ident.size() + 1 ? Line.substr(Ident.size() + 1) : String();
  }
  return Default;
}

int IniSectionInteger(const TacIniSections& Sections, const String& Section, const String& Ident, int Default) {
  String Value = IniSectionString(Sections, Section, Ident, String());
  if (Value.size() > 2 && Value[0] == L'0' && (Value[1] == L'x' || Value[1] == L'X')) Value = L"$" + Value.substr(2);
  return StrToIntDef(Value, Default);
}

bool IsBetween(int Value, int Low, int High, bool AnyOrder) {
  if (AnyOrder && High <= Low) std::swap(Low, High);
  return Low <= Value && Value <= High;
}

int RectWidth(const RECT& R, bool NonNegative) {
  int W = R.right - R.left;
  return NonNegative && W < 0 ? 0 : W;
}

int RectHeight(const RECT& R, bool NonNegative) {
  int H = R.bottom - R.top;
  return NonNegative && H < 0 ? 0 : H;
}

POINT RectSize(const RECT& R) { return POINT{RectWidth(R, true), RectHeight(R, true)}; }
RECT ShiftRect(const RECT& R, int Delta) { return ShiftRectXY(R, Delta, Delta); }
RECT ShiftRectXY(const RECT& R, int DX, int DY) { return RECT{R.left + DX, R.top + DY, R.right + DX, R.bottom + DY}; }

RECT ShrinkRect(const RECT& R, const RECT& Margins) {
  return RECT{R.left + Margins.left, R.top + Margins.top, R.right - Margins.right, R.bottom - Margins.bottom};
}

RECT CommonRect(const RECT& A, const RECT& B) {
  return RECT{std::max(A.left, B.left), std::max(A.top, B.top), std::min(A.right, B.right),
              std::min(A.bottom, B.bottom)};
}

bool RectsIntersect(const RECT& Bounds, const RECT& R) {
  return !IsRectEmpty(&R) && R.bottom > Bounds.top && R.right > Bounds.left && R.left < Bounds.right &&
         R.top < Bounds.bottom;
}

bool RectWithin(const RECT& Outer, const RECT& Inner, bool Entirely) {
  RECT o{Outer.left, Outer.top, Outer.right + 1, Outer.bottom + 1};
  if (Entirely) {
    POINT TopLeft{Inner.left, Inner.top}, BottomRight{Inner.right, Inner.bottom};
    return PtInRect(&o, TopLeft) && PtInRect(&o, BottomRight);
  }
  return Inner.left <= o.right && Inner.right > o.left && Inner.top <= o.bottom && Inner.bottom > o.top;
}

RECT MirrorRect(const RECT& R, int Width, int Height, bool Horizontal) {
  if (Horizontal) return RECT{Width - R.right, R.top, Width - R.left, R.bottom};
  return RECT{R.left, Height - R.bottom, R.right, Height - R.top};
}

RECT MirrorRectIn(const RECT& R, const RECT& Bounds, bool Horizontal) {
  if (Horizontal) {
    const int Sum = Bounds.left + Bounds.right;
    return RECT{Sum - R.right, R.top, Sum - R.left, R.bottom};
  }
  const int Sum = Bounds.top + Bounds.bottom;
  return RECT{R.left, Sum - R.bottom, R.right, Sum - R.top};
}

int64_t HexToInt64(const String& Text) {
  String S = UpperCase(Text);
  if (!S.empty() && S.back() == L'H') S.pop_back();
  uint64_t Result = 0;
  for (wchar_t c : S) {
    int Digit = c >= L'0' && c <= L'9' ? c - L'0' : c >= L'A' && c <= L'F' ? c - L'A' + 10 : -1;
    if (Digit < 0) return 0;
    Result = Result << 4 | uint64_t(Digit);
  }
  return int64_t(Result);
}

int WordStart(int N, const String& S, const String& Delims, bool SkipRuns) {
  if (N < 1 || S.empty()) return 0;
  const int Length = int(S.size());
  if (!SkipRuns) {
    if (N == 1) return 1;
    int Field = 1;
    for (int i = 0; i < Length; ++i)
      if (IsDelimiter(S[i], Delims) && ++Field == N) return i + 2 <= Length ? i + 2 : 0;
    return 0;
  }
  int Count = 0;
  int i = 0;
  while (i < Length) {
    while (i < Length && IsDelimiter(S[i], Delims)) ++i;
    if (i >= Length) break;
    if (++Count == N) return i + 1;
    while (i < Length && !IsDelimiter(S[i], Delims)) ++i;
  }
  return 0;
}

String GetWord(int N, const String& S, const String& Delims, bool SkipRuns) {
  int Start = WordStart(N, S, Delims, SkipRuns);
  if (Start == 0) return String();
  size_t End = Start - 1;
  while (End < S.size() && !IsDelimiter(S[End], Delims)) ++End;
  return S.substr(Start - 1, End - (Start - 1));
}

int CountWords(const String& S, const String& Delims) {
  int Count = 0;
  bool InWord = false;
  for (wchar_t c : S) {
    bool Delimiter = IsDelimiter(c, Delims);
    if (!Delimiter && !InWord) ++Count;
    InWord = !Delimiter;
  }
  return Count;
}

String RepeatChar(wchar_t Ch, int Count) { return Count > 0 ? String(size_t(Count), Ch) : String(); }

String PadLeft(wchar_t Ch, const String& S, int Width) {
  return int(S.size()) < Width ? String(size_t(Width) - S.size(), Ch) + S : S;
}

String StripChar(const String& S, wchar_t Ch) {
  String Result;
  for (wchar_t c : S)
    if (c != Ch) Result += c;
  return Result;
}

String ReplaceAll(const String& S, const String& Old, const String& New) {
  if (Old.empty()) return S;
  String Result;
  size_t From = 0;
  for (size_t At; (At = S.find(Old, From)) != String::npos; From = At + Old.size())
    Result += S.substr(From, At - From) + New;
  return Result + S.substr(From);
}

bool ContainsAnyChar(const String& Text, const String& Chars) { return Text.find_first_of(Chars) != String::npos; }

String AddTrailingBackslash(const String& Path) {
  if (Path.empty() || Path.back() == L'\\') return Path;
  if (Path.back() == L'/') return Path.substr(0, Path.size() - 1) + L"\\";
  return Path.size() == 1 ? Path + L":\\" : Path + L"\\";
}

bool IsValidPathName(const String& Path) { return !Path.empty() && Path.find_first_of(L"<>\"|*?/") == String::npos; }

bool DirectoryExistsQuiet(const String& Dir) {
  UINT Old = SetErrorMode(SEM_FAILCRITICALERRORS);
  DWORD Attributes = GetFileAttributesW(Dir.c_str());
  SetErrorMode(Old);
  return Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_DIRECTORY);
}

String AppFolder() { return ExtractFilePath(ParamStr(0)); }

HICON ShellFileIcon(const String& FileName, UINT Flags) {
  if (GetFileAttributesW(FileName.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
  LoadShellFileInfo();
  if (!Unit().SHGetFileInfoW) return nullptr;
  SHFILEINFOW Info = {};
  if (!Unit().SHGetFileInfoW(FileName.c_str(), 0, &Info, sizeof(Info), Flags | SHGFI_ICON)) return nullptr;
  return Info.hIcon;
}

RECT GraphicRect(const TGraphic& Graphic) { return RECT{0, 0, Graphic.Width(), Graphic.Height()}; }
POINT GraphicSize(const TGraphic& Graphic) { return POINT{Graphic.Width(), Graphic.Height()}; }
RECT ControlSizeRect(const TControl& Control) { return RECT{0, 0, Control.Width(), Control.Height()}; }
POINT ControlPos(const TControl& Control) { return POINT{Control.Left(), Control.Top()}; }

// The framework's message box stands in for the skinned one until the
// skinned controls exist; callers ignore the answer.
void ShowWarning(const String& Text) { MessageDlg(Text, TMsgDlgType::mtWarning, mbOK, 0); }
void ShowError(const String& Text) { MessageDlg(Text, TMsgDlgType::mtError, mbOK, 0); }

void WaitProcessingMessages(DWORD Milliseconds) {
  if (!Application) {
    Sleep(Milliseconds);  // no message loop: nothing to serve while waiting
    return;
  }
  const DWORD Start = GetTickCount();
  for (;;) {
    Application->ProcessMessages();
    const DWORD Elapsed = GetTickCount() - Start;
    if (Elapsed >= Milliseconds) break;
    // Sleeps until the next message or the end, rather than spinning.
    MsgWaitForMultipleObjectsEx(0, nullptr, Milliseconds - Elapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

void WaitUntilTick(DWORD StartTick, DWORD Interval) {
  // Elapsed time in unsigned 32-bit arithmetic survives the tick count's
  // wrap-around every 49.7 days, where a 64-bit end tick would never come.
  // Sleep(0) gives the slice away yet wakes within the frame, where Sleep(1) may oversleep by a timer tick.
  while (GetTickCount() - StartTick < Interval) Sleep(0);
}

void InitBlendFunction(BLENDFUNCTION& Blend, uint8_t Alpha) {
  Blend = BLENDFUNCTION{AC_SRC_OVER, 0, Alpha, AC_SRC_ALPHA};
}

TacBackgroundSource BitmapBackgroundSource(TBitmap* Bmp, int X, int Y) {
  TacBackgroundSource Source;
  Source.Bmp = Bmp;
  Source.X = X;
  Source.Y = Y;
  Source.FillColor = 0xFF00FF;
  Source.FillRect = RECT{};
  Source.Ready = true;
  return Source;
}
