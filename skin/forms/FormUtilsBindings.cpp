#include "skin/forms/FormUtilsBindings.h"

#include "skin/core/SkinUtils.h"

namespace {

struct FormUtilsUnit {
  int Nesting = 0;
  HMODULE ShCore = nullptr;
  TFormUtilsBindings Bound;
};

FormUtilsUnit& Unit() {
  static FormUtilsUnit u;
  return u;
}

// LoadLibrary's old failure rule: a handle of 32 or less is an error code.
HMODULE LoadOptionalLibrary(const wchar_t* name) {
  HMODULE module = LoadLibraryW(name);
  return reinterpret_cast<uintptr_t>(module) > 32 ? module : nullptr;
}

template <typename F>
void Bind(F& target, HMODULE module, const char* name) {
  target = module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

void InitFormUtils() {
  FormUtilsUnit& u = Unit();
  if (u.Nesting++ > 0) return;
  TFormUtilsBindings& b = u.Bound;
  b = TFormUtilsBindings{};
  b.ThemeLibrary = LoadOptionalLibrary(L"UXTHEME");
  Bind(b.SetWindowTheme, b.ThemeLibrary, "SetWindowTheme");
  Bind(b.BeginBufferedPaint, b.ThemeLibrary, "BeginBufferedPaint");
  Bind(b.EndBufferedPaint, b.ThemeLibrary, "EndBufferedPaint");
  Bind(b.BufferedPaintMakeOpaque, b.ThemeLibrary, "BufferedPaintMakeOpaque");
  if (!IsWin10OrLater()) return;
  // Kept from an earlier start, if there was one.
  if (!u.ShCore) u.ShCore = LoadOptionalLibrary(L"ShCore");
  Bind(b.GetDpiForMonitor, u.ShCore, "GetDpiForMonitor");
}

void DoneFormUtils() {
  FormUtilsUnit& u = Unit();
  if (u.Nesting == 0 || --u.Nesting > 0) return;
  if (u.Bound.ThemeLibrary) FreeLibrary(u.Bound.ThemeLibrary);
  u.Bound.ThemeLibrary = nullptr;
  u.Bound.SetWindowTheme = nullptr;
  u.Bound.BeginBufferedPaint = nullptr;
  u.Bound.EndBufferedPaint = nullptr;
  u.Bound.BufferedPaintMakeOpaque = nullptr;
}

const TFormUtilsBindings& FormUtilsBindings() { return Unit().Bound; }

void ApiFailureHook() {}
