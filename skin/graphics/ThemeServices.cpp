#include "skin/graphics/ThemeServices.h"

namespace {

using TThemeHandleValue = HANDLE;

// Loaded once for the program's life; the module goes with the process.
struct TThemeBindings {
  HMODULE Module = nullptr;
  BOOL(WINAPI* IsThemeActive)() = nullptr;
  BOOL(WINAPI* IsAppThemed)() = nullptr;
  TThemeHandleValue(WINAPI* OpenThemeData)(HWND, LPCWSTR) = nullptr;
  HRESULT(WINAPI* CloseThemeData)(TThemeHandleValue) = nullptr;
  HRESULT(WINAPI* DrawThemeBackground)(TThemeHandleValue, HDC, int, int, const RECT*, const RECT*) = nullptr;
  HRESULT(WINAPI* GetThemeBackgroundContentRect)(TThemeHandleValue, HDC, int, int, const RECT*, RECT*) = nullptr;

  TThemeBindings() {
    Module = LoadLibraryW(L"uxtheme.dll");
    if (!Module) return;
    Bind(IsThemeActive, "IsThemeActive");
    Bind(IsAppThemed, "IsAppThemed");
    Bind(OpenThemeData, "OpenThemeData");
    Bind(CloseThemeData, "CloseThemeData");
    Bind(DrawThemeBackground, "DrawThemeBackground");
    Bind(GetThemeBackgroundContentRect, "GetThemeBackgroundContentRect");
  }
  ~TThemeBindings() {
    if (Module) FreeLibrary(Module);
  }
  TThemeBindings(const TThemeBindings&) = delete;
  TThemeBindings& operator=(const TThemeBindings&) = delete;

  bool Complete() const {
    return IsThemeActive && IsAppThemed && OpenThemeData && CloseThemeData && DrawThemeBackground &&
           GetThemeBackgroundContentRect;
  }

 private:
  template <typename T>
  void Bind(T& Target, const char* Name) {
    Target = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(Module, Name)));
  }
};

const TThemeBindings& Bindings() {
  static const TThemeBindings b;
  return b;
}

// A theme handle closed on every path.
class TThemeHandle {
 public:
  explicit TThemeHandle(const wchar_t* ClassList) : FHandle(Bindings().OpenThemeData(nullptr, ClassList)) {}
  ~TThemeHandle() {
    if (FHandle) Bindings().CloseThemeData(FHandle);
  }
  TThemeHandle(const TThemeHandle&) = delete;
  TThemeHandle& operator=(const TThemeHandle&) = delete;
  TThemeHandleValue Get() const { return FHandle; }

 private:
  TThemeHandleValue FHandle;
};

}  // namespace

bool ThemesActive() {
  const TThemeBindings& b = Bindings();
  return b.Complete() && b.IsThemeActive() && b.IsAppThemed();
}

bool DrawThemedElement(HDC DC, const wchar_t* ClassList, int Part, int State, const RECT& R, RECT* Content) {
  if (!ThemesActive()) return false;
  TThemeHandle theme(ClassList);
  if (!theme.Get() || FAILED(Bindings().DrawThemeBackground(theme.Get(), DC, Part, State, &R, nullptr))) return false;
  if (Content && FAILED(Bindings().GetThemeBackgroundContentRect(theme.Get(), DC, Part, State, &R, Content)))
    *Content = R;
  return true;
}
