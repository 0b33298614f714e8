#include "framework/Edit.h"

#include "framework/WindowsVersion.h"

#include <algorithm>

namespace {

// Wine's text shaping (as of 8.0) reads past the font's positioning tables
// when it lays out U+02DC SMALL TILDE, byte 0x98 of code page 1252, in the
// font it falls back to, and the process dies. The window shows a plain tilde
// there instead; the text itself keeps the character.
bool ShapingFailsOnSmallTilde() { return RunsUnderWine(); }

}  // namespace

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  StoreBounds(0, 0, 121, 21);
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"EDIT";
  p.WinClassName = L"KelvraEdit";
  p.Style |= ES_AUTOHSCROLL | ES_LEFT;
  if (FBorderStyle == TBorderStyle::bsSingle) {
    if (FCtl3D)
      p.ExStyle |= WS_EX_CLIENTEDGE;
    else
      p.Style |= WS_BORDER;
  }
  if (FReadOnly) p.Style |= ES_READONLY;
}

void TCustomEdit::InitializeWnd() {
  if (FPasswordChar) SendMessageW(FHandle, EM_SETPASSWORDCHAR, FPasswordChar, 0);
  SendMessageW(FHandle, EM_LIMITTEXT, FMaxLength, 0);
}

void TCustomEdit::SetPasswordChar(wchar_t c) {
  if (c == FPasswordChar) return;
  FPasswordChar = c;
  if (FHandle) {
    SendMessageW(FHandle, EM_SETPASSWORDCHAR, c, 0);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
}

void TCustomEdit::SetMaxLength(int v) {
  FMaxLength = v;
  if (FHandle) SendMessageW(FHandle, EM_LIMITTEXT, v, 0);
}

void TCustomEdit::SetReadOnly(bool v) {
  FReadOnly = v;
  if (FHandle) SendMessageW(FHandle, EM_SETREADONLY, v, 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle v) {
  if (FBorderStyle == v) return;
  FBorderStyle = v;
  RecreateWnd();
}

void TCustomEdit::SetCtl3D(bool v) {
  if (FCtl3D == v) return;
  FCtl3D = v;
  if (FBorderStyle == TBorderStyle::bsSingle) RecreateWnd();
}

void TCustomEdit::SelectAll() {
  if (FHandle) SendMessageW(FHandle, EM_SETSEL, 0, -1);
}

void TCustomEdit::TextChanged() {
  // Without a window there is no EN_CHANGE to tell of the new text.
  if (!FHandle) Change();
}

void TCustomEdit::Change() {
  Changed();
  if (OnChange) OnChange(this);
}

void TCustomEdit::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
    Change();
    return;
  }
  TWinControl::WndProc(m);
}

void TMemoLines::Changed() {
  TStringList::Changed();
  FMemo.LinesChanged();
}

int TMemoLines::Add(const String& s) {
  if (!FMemo.HandleAllocated() || UpdateCount() > 0 || Sorted()) return TStringList::Add(s);
  const bool first = Count() == 0;
  FMemo.FUpdatingWindow = true;
  const int index = TStringList::Add(s);
  FMemo.FUpdatingWindow = false;
  const String shown = FMemo.ShownLine(s);
  FMemo.AppendToWindow(first ? shown : L"\r\n" + shown);
  return index;
}

void TMemoLines::AddLines(const std::vector<String>& lines) {
  if (lines.empty()) return;
  if (!FMemo.HandleAllocated() || UpdateCount() > 0 || Sorted()) {
    for (const String& s : lines) TStringList::Add(s);
    return;
  }
  String text;
  for (const String& s : lines) {
    if (Count() > 0) text += L"\r\n";
    FMemo.FUpdatingWindow = true;
    TStringList::Add(s);
    FMemo.FUpdatingWindow = false;
    text += s;
  }
  FMemo.AppendToWindow(text);
}

void TMemo::AppendToWindow(const String& text) {
  FUpdatingWindow = true;
  const LRESULT end = GetWindowTextLengthW(FHandle);
  SendMessageW(FHandle, EM_SETSEL, end, end);
  SendMessageW(FHandle, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  FUpdatingWindow = false;
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner), FLines(*this) { StoreBounds(0, 0, 185, 89); }

void TMemo::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.WinClassName = L"KelvraMemo";
  p.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  p.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (!FWordWrap) p.Style |= ES_AUTOHSCROLL;
  if (FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth) p.Style |= WS_VSCROLL;
  if (FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth) p.Style |= WS_HSCROLL;
  p.Caption.clear();
}

void TMemo::InitializeWnd() {
  TCustomEdit::InitializeWnd();
  LinesChanged();
}

void TMemo::SetShownLineLimit(int chars) {
  if (chars == FShownLineLimit) return;
  FShownLineLimit = chars;
  LinesChanged();
}

String TMemo::ShownLine(const String& line) const {
  String shown = FShownLineLimit <= 0 || line.size() <= size_t(FShownLineLimit)
                     ? line
                     : line.substr(0, size_t(FShownLineLimit)) + L"\u2026";
  if (ShapingFailsOnSmallTilde()) std::replace(shown.begin(), shown.end(), L'\u02DC', L'~');
  return shown;
}

TStrings& TMemo::Lines() {
  if (FWindowEdited && FHandle && FShownLineLimit <= 0) {
    // The user typed: the window holds the truth now.
    FWindowEdited = false;
    FUpdatingWindow = true;
    FLines.SetText(TWinControl::GetText());
    FUpdatingWindow = false;
  }
  return FLines;
}

void TMemo::LinesChanged() {
  if (FUpdatingWindow || !FHandle) return;
  FUpdatingWindow = true;
  String text;
  for (int i = 0; i < FLines.Count(); ++i) {
    text += ShownLine(FLines.Get(i));
    text += L"\r\n";
  }
  // The edit shows no empty line after the last line break.
  if (text.size() >= 2) text.resize(text.size() - 2);
  SetWindowTextW(FHandle, text.c_str());
  FUpdatingWindow = false;
}

String TMemo::GetText() const { return const_cast<TMemo*>(this)->Lines().Text(); }

void TMemo::StoreText(const String& s) { FLines.SetText(s); }

void TMemo::UpdateWindowFont() {
  // The system edit lays out every line again when it takes a font: seconds
  // with a long log. A new colour keeps the GDI font and needs only the
  // repaint that follows every font change.
  if (Font().ShapeVersion() != FWindowFontShape) TCustomEdit::UpdateWindowFont();
}

void TMemo::WndProc(TMessage& m) {
  if (m.Msg == WM_SETFONT) FWindowFontShape = Font().ShapeVersion();
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
    if (!FUpdatingWindow) FWindowEdited = true;
    Change();
    return;
  }
  TCustomEdit::WndProc(m);
}
