#include "skin/core/SkinConstants.h"

#include <windows.h>

const std::array<const wchar_t*, 4> acScaleSuffixes = {L"", L"*125", L"*150", L"*200"};
const std::array<const wchar_t*, 4> acTabPositionSuffixes = {L"", L"BOTTOM", L"LEFT", L"RIGHT"};

const std::array<const wchar_t*, 23> acDefaultClassNames = {L" ", L"TButton", L" ", L" ", L" ", L" ", L" ", L" ",
                                                            L" ", L" ",       L" ", L" ", L" ", L" ", L" ", L" ",
                                                            L" ", L" ",       L" ", L" ", L" ", L" ", L" "};

const std::array<const wchar_t*, 16> acTabSections = {
    L"TABLEFTFIRST", L"TABTOPFIRST",   L"TABRIGHTFIRST", L"TABBOTTOMFIRST", L"TABLEFTLAST",    L"TABTOPLAST",
    L"TABRIGHTLAST", L"TABBOTTOMLAST", L"TABLEFTMIDDLE", L"TABTOPMIDDLE",   L"TABRIGHTMIDDLE", L"TABBOTTOMMIDDLE",
    L"TABLEFT",      L"TABTOP",        L"TABRIGHT",      L"TABBOTTOM"};
const std::array<const wchar_t*, 4> acScrollButtonSections = {L"SCROLLBTNLEFT", L"SCROLLBTNTOP", L"SCROLLBTNRIGHT",
                                                              L"SCROLLBTNBOTTOM"};
const std::array<const wchar_t*, 4> acScrollBarSections = {L"SCROLLBAR1H", L"SCROLLBAR1V", L"SCROLLBAR2H",
                                                           L"SCROLLBAR2V"};
const std::array<const wchar_t*, 4> acUpDownSections = {L"UPDOWNBTN_LEFT", L"UPDOWNBTN_TOP", L"UPDOWNBTNRIGHT",
                                                        L"UPDOWNBTN_BOTTOM"};
const std::array<const wchar_t*, 2> acScrollSliderSections = {L"SCROLLSLIDERH", L"SCROLLSLIDERV"};
const std::array<const wchar_t*, 2> acRadioImages = {L"RADIOUNCHECKED", L"RADIOCHECKED"};
const std::array<const wchar_t*, 3> acCheckBoxImages = {L"BOXUNCHECKED", L"BOXCHECKED", L"BOXGRAYED"};
const std::array<const wchar_t*, 3> acSmallCheckBoxImages = {L"SMALLUNCHECKED", L"SMALLCHECKED", L"SMALLGRAYED"};

namespace {

struct ConstantsUnit {
  int Nesting = 0;
  int ScrollArrowWidth = 16;
  TacCaptions Captions;
  bool DPIAwareSet = false;
  bool PerMonitorAware = false;
};

ConstantsUnit& Unit() {
  static ConstantsUnit Instance;
  return Instance;
}

// A system library loaded for the length of reading its strings.
class StringLibrary {
 public:
  explicit StringLibrary(const wchar_t* Name) : FModule(LoadLibraryW(Name)) {}
  ~StringLibrary() {
    if (FModule) FreeLibrary(FModule);
  }
  operator HMODULE() const { return FModule; }

 private:
  HMODULE FModule;
};

}  // namespace

const TacCaptions& acCaptions() { return Unit().Captions; }

int acScrollArrowWidth() { return Unit().ScrollArrowWidth; }

void InitScrollArrowWidth() {
  if (Unit().ScrollArrowWidth < 0) Unit().ScrollArrowWidth = GetSystemMetrics(SM_CXHSCROLL);
}

void LoadSystemCaption(String& Caption, HMODULE Library, UINT Id, const String& Appended, const String& Fallback) {
  if (!Library) return;
  const wchar_t* Text = nullptr;
  int Length = LoadStringW(Library, Id, reinterpret_cast<LPWSTR>(&Text), 0);
  if (Length > 0 && Text)
    Caption = String(Text, Length) + Appended;
  else
    Caption = Fallback;
}

bool DPIAwareSet() { return Unit().DPIAwareSet; }
bool PerMonitorAware() { return Unit().PerMonitorAware; }

void InitDensityAwareness() {
  if (HMODULE User = LoadLibraryW(L"user32.dll")) {
    using SetAware = BOOL(WINAPI*)();
    if (auto Fn = reinterpret_cast<SetAware>(reinterpret_cast<void*>(GetProcAddress(User, "SetProcessDPIAware"))))
      Unit().DPIAwareSet = Fn() != FALSE;
    FreeLibrary(User);
  }
  if (HMODULE Shcore = LoadLibraryW(L"Shcore.dll")) {
    using GetAwareness = HRESULT(WINAPI*)(HANDLE, int*);
    if (auto Fn = reinterpret_cast<GetAwareness>(
            reinterpret_cast<void*>(GetProcAddress(Shcore, "GetProcessDpiAwareness")))) {
      int Awareness = 0;
      Unit().PerMonitorAware = SUCCEEDED(Fn(GetCurrentProcess(), &Awareness)) && Awareness == 2;
    }
    FreeLibrary(Shcore);
  }
}

void InitSkinConstants() {
  ConstantsUnit& u = Unit();
  if (u.Nesting++ > 0) return;
  InitScrollArrowWidth();
  TacCaptions& c = u.Captions;
  {
    StringLibrary Lib(L"user32.dll");
    LoadSystemCaption(c.OK, Lib, 800, L"", L"OK");
    LoadSystemCaption(c.Cancel, Lib, 801, L"", L"Cancel");
    LoadSystemCaption(c.Help, Lib, 808, L"", L"&Help");
    LoadSystemCaption(c.Close, Lib, 905, L"", L"Close");
  }
  {
    StringLibrary Lib(L"colorui.dll");
    LoadSystemCaption(c.AddToCustomColors, Lib, 1810, L"", L"Add to custom colors set");
  }
  {
    StringLibrary Lib(L"shell32.dll");
    LoadSystemCaption(c.DefineColors, Lib, 4151, L"", L"Define colors");
    LoadSystemCaption(c.AdditionalColors, Lib, 31153, L":", L"Additional colors :");
    LoadSystemCaption(c.Decimal, Lib, 16514, L" - ", L"Decimal - ");
    LoadSystemCaption(c.Root, Lib, 33015, L":", L"Root:");
    LoadSystemCaption(c.Create, Lib, 4151, L"", L"Create");
  }
  {
    StringLibrary Lib(L"comctl32.dll");
    LoadSystemCaption(c.Restore, Lib, 33056, L"", L"Restore");
    LoadSystemCaption(c.Size, Lib, 32768, L"", L"Size");
    LoadSystemCaption(c.Move, Lib, 32784, L"", L"Move");
    LoadSystemCaption(c.Maximize, Lib, 32816, L"", L"Maximize");
    LoadSystemCaption(c.Minimize, Lib, 32800, L"", L"Minimize");
  }
  c.Calculator = L"Calculator";
  {
    StringLibrary Lib(L"comdlg32.dll");
    LoadSystemCaption(c.FileOpen, Lib, 436, L"", L"File open");
    LoadSystemCaption(c.SelectDirectory, Lib, 439, L"", L"Select directory");
    LoadSystemCaption(c.Red, Lib, 1049, L":", L"Red :");
    LoadSystemCaption(c.Green, Lib, 1042, L":", L"Green :");
    LoadSystemCaption(c.Blue, Lib, 1052, L":", L"Blue :");
  }
  {
    StringLibrary Lib(L"compstui.dll");
    LoadSystemCaption(c.Color, Lib, 64744, L"", L"Color");
  }
  c.Hex = L"Hex - ";
  {
    StringLibrary Lib(L"inetres.dll");
    LoadSystemCaption(c.Font, Lib, 1175, L"", L"Font");
    LoadSystemCaption(c.FontColor, Lib, 5273, L":", L"Font color:");
  }
  c.AvailableStyles = L"Available styles";
  c.Internal = L"(internal)";
  c.InvalidDate = L"Invalid date";
  c.FrameAdapterError = L"TsFrameAdapter adapter must be placed on the handled frame";
  c.SkinsDirectory = L"Directory with skins:";
  c.SelectSkin = L"Select skin";
  c.SkinPreview = L"Skin preview";
}

void DoneSkinConstants() {
  ConstantsUnit& u = Unit();
  if (u.Nesting == 0 || --u.Nesting > 0) return;
  u.Captions = TacCaptions{};
}
