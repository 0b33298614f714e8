#pragma once
// Single- and multi-line edits over the system EDIT class.
#include "framework/BorderStyle.h"
#include "framework/StringList.h"
#include "framework/WinControl.h"

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);

  wchar_t PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(wchar_t c);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int v);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  void SelectAll();
  // Both re-create the window: the border is a window style.
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);
  // Without it a bordered edit has a flat one-pixel line instead of the
  // sunken client edge.
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool v);

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;
  void TextChanged() override;
  virtual void Change();

 protected:
  wchar_t FPasswordChar = 0;
  int FMaxLength = 0;
  bool FReadOnly = false;
  TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
  bool FCtl3D = true;
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo;

// The memo's lines: kept here, shown by the window, read back after the user typed.
class TMemoLines : public TStringList {
 public:
  explicit TMemoLines(TMemo& memo) : FMemo(memo) {}
  // Lines added at the end in one go: one change of the window for all.
  void AddLines(const std::vector<String>& lines);
  // A line added at the end goes to the window alone, not with the whole text.
  int Add(const String& s) override;

 protected:
  void Changed() override;

 private:
  TMemo& FMemo;
};

class TMemo : public TCustomEdit {
 public:
  explicit TMemo(TComponent* owner);

  TStrings& Lines();
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle v) {
    FScrollBars = v;
    RecreateWnd();
  }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v) {
    FWordWrap = v;
    RecreateWnd();
  }
  // The system's edit control lays out a long line in time that grows with
  // its square. With a limit, the window shows at most that many characters
  // of a line and a mark after them; Lines keeps the whole text, and a window
  // that cuts is never read back into it. 0, the default, shows all.
  int ShownLineLimit() const { return FShownLineLimit; }
  void SetShownLineLimit(int chars);

 protected:
  friend class TMemoLines;
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  // Lines take what the user typed before the window goes.
  void SaveWndState() override { Lines(); }
  void UpdateWindowFont() override;
  void WndProc(TMessage& message) override;
  String GetText() const override;
  void StoreText(const String& s) override;
  void LinesChanged();
  void AppendToWindow(const String& text);
  String ShownLine(const String& line) const;

 private:
  TMemoLines FLines;
  TScrollStyle FScrollBars = TScrollStyle::ssNone;
  bool FWordWrap = true;
  int FShownLineLimit = 0;
  bool FUpdatingWindow = false;
  bool FWindowEdited = false;
  uint32_t FWindowFontShape = UINT32_MAX;  // the font's ShapeVersion when the window last took it
};
