#pragma once
// What the single-line skinned edits share over the control pattern: a frame
// drawn in the non-client area whose width is the border plus an inner
// padding, an extra glyph beside the text, a placeholder text that can turn
// into the bound label, the text line placed top, centre or bottom, and the
// unfocused face drawn by the skin (password characters included). A focused
// edit leaves its client area to the system edit for caret and selection.
#include "framework/Edit.h"
#include "skin/controls/SkinnedControl.h"
#include "skin/core/SkinUtils.h"
#include "skin/graphics/SkinTypes.h"
#include "skin/imagelists/AddedGlyph.h"

#include <windowsx.h>

#include <memory>

enum class TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };

// The edit's side of the shared steps, for the non-template helpers.
struct TacEditGeometry {
  int BorderWidth = 2;  // B
  RECT Padding{};       // P, scaled
  int GlyphArea = 0;    // G; 0 without a glyph
  int GlyphWidth = 0;
  int GlyphSpacing = 0;
  int LineHeight = 0;
  bool RightToLeft = false;
};

// WM_NCCALCSIZE after the system's: the text margins (padding and vertical
// place of the line) and the glyph area taken off the proposed client
// rectangle. Unskinned is true when no section paints the frame; the glyph
// side's margin then grows by the glyph area.
RECT CalcEditTextMargins(const TacEditGeometry& G, TVerticalAlignment Alignment, int Height, bool Unskinned,
                         RECT& Client);
// The glyph's column inside the frame.
RECT EditGlyphRect(const TacEditGeometry& G, int Width, int Height);
// The line height of the font, as the edit lays its text out.
int EditLineHeight(const TFont& Font);
// Placeholder text in the state's text colour mixed 148/255 into the
// section's background.
void DrawEditTextHint(TsCommonData& Data, TWinControl& Control, const String& Hint, RECT R, UINT Flags);
// Text (password characters already applied) into the cache in the control's
// state, with the section's text effects.
void DrawEditFaceText(TsCommonData& Data, TWinControl& Control, const String& Text, RECT R, UINT Flags);
// The added glyph centred in R of the cache.
void DrawEditAddedGlyph(TsCommonData& Data, TWinControl& Control, TacAddedGlyph& Glyph, const RECT& R);
// The frame strips (Strips wide on each side) and, when Glyph is not empty,
// the glyph area of the cache into the window DC; the DC is released on
// every path.
// The control's colour (through the skin's palette) inside BorderWidth.
void FillEditInside(TWinControl& Control, TsCommonData& Data, int BorderWidth);
void BlitEditFrame(TWinControl& Control, TsCommonData& Data, const RECT& Strips, const RECT& Glyph);

template <class TBase>
class TacSkinnedEdit : public TacSkinnedControl<TBase> {
  static_assert(std::is_base_of_v<TCustomEdit, TBase>, "a skinned edit is an edit");

 public:
  using Pattern = TacSkinnedControl<TBase>;

  explicit TacSkinnedEdit(TComponent* Owner) : Pattern(Owner, 3, ssEdit) {
    FAddedGlyph = std::make_unique<TacAddedGlyph>(this, this->SkinData());
    this->SkinData()->StateBits |= acsRecalcFrame;
    this->MakeBoundLabel();
  }
  ~TacSkinnedEdit() override {
    TBase::Destroying_();
    FAddedGlyph.reset();
  }

  TacAddedGlyph* AddedGlyph() const { return FAddedGlyph.get(); }
  const TacPadding& Padding() const { return FPadding; }
  void SetPadding(const TacPadding& Value) {
    FPadding = Value;
    PaddingChanged();
  }
  const String& TextHint() const { return FTextHint; }
  void SetTextHint(const String& Value) {
    if (FTextHint == Value) return;
    FTextHint = Value;
    this->SkinData()->Invalidate();
  }
  bool LabelFromTextHint() const { return FLabelFromTextHint; }
  void SetLabelFromTextHint(bool Value) { FLabelFromTextHint = Value; }
  TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
  void SetVerticalAlignment(TVerticalAlignment Value) {
    if (FVerticalAlignment == Value) return;
    FVerticalAlignment = Value;
    PaddingChanged();
  }
  // Left, top, right and bottom distance from the border to the text area,
  // as the last frame calculation laid them out.
  const RECT& TextMargins() const { return FTextMargins; }

  bool HasAddedGlyph() const {
    TCustomImageList* List = FAddedGlyph->Images();
    return List && FAddedGlyph->ImageIndex() >= 0 && FAddedGlyph->ImageIndex() < List->Count();
  }
  int GlyphAreaWidth() const { return HasAddedGlyph() ? FAddedGlyph->GlyphWidth() + GlyphSpacing() / 2 : 0; }
  RECT GetGlyphRect() {
    if (FGlyphRect.left < 0) FGlyphRect = EditGlyphRect(Geometry(), this->Width(), this->Height());
    return FGlyphRect;
  }
  virtual bool IsTextEmpty() { return this->Text().empty(); }
  virtual RECT GetTextRect() = 0;
  // B: the frame the skin draws round the text, 0 without a border.
  virtual int EditBorderWidth() const = 0;

  bool BuildCache() override {
    if (this->SkinData()->StateBits & acsRecalcFrame) ConsumeRecalcFrame(true);
    TacBackgroundInfo Bg;
    if (!PrepareSkinnedCache(*this, *this->SkinData(), Bg)) return false;
    if (this->SkinData()->IsSkinned()) {
      this->PaintFace(Bg);
      if (this->SkinData()->CustomColor()) FillEditInside(*this, *this->SkinData(), EditBorderWidth());
    } else {
      PaintPlainFace();
    }
    DrawEditText();
    const bool GlyphLast = GlyphAfterDisabledLook();
    if (!GlyphLast && HasAddedGlyph()) DrawAddedGlyph();
    PaintButton();
    FinishSkinnedCache(*this, *this->SkinData(), Bg, this->DisabledKind());
    if (GlyphLast && HasAddedGlyph()) DrawAddedGlyph();
    return true;
  }
  virtual void DrawEditText() {
    TsCommonData& Data = *this->SkinData();
    RECT R = GetTextRect();
    UINT Flags = DT_SINGLELINE | DT_NOPREFIX;
    if (this->UseRightToLeftAlignment()) {
      Flags |= DT_RIGHT | DT_RTLREADING;
      --R.right;
    }
    if (IsTextEmpty()) {
      if (!Data.Focused && !FTextHint.empty()) DrawEditTextHint(Data, *this, FTextHint, R, Flags);
      return;
    }
    String Shown = FaceText();
    if (this->PasswordChar()) Shown.assign(Shown.size(), this->PasswordChar());
    DrawEditFaceText(Data, *this, Shown, R, Flags);
  }
  void DrawAddedGlyph() { DrawEditAddedGlyph(*this->SkinData(), *this, *FAddedGlyph, GetGlyphRect()); }
  void PaintFrame(HDC) override {
    TsCommonData& Data = *this->SkinData();
    if (!Data.CacheBmp || Data.BGChanged || Data.CacheBmp->Width() != this->Width()) {
      if (!BuildCache()) {
        Data.Updating = true;
        return;
      }
    }
    RECT Glyph{};
    if (HasAddedGlyph()) {
      Glyph = GetGlyphRect();
      const int Half = GlyphSpacing() / 2;
      if (this->UseRightToLeftAlignment())
        Glyph.right += Half;
      else
        Glyph.left -= Half;
      Glyph.top = 0;
      Glyph.bottom = this->Height();
    }
    BlitEditFrame(*this, Data, FrameWidth(), Glyph);
  }

  TNotifyEvent OnSelChange;

 protected:
  // The text the face shows.
  virtual String FaceText() const { return this->Text(); }
  virtual bool LabelAnimationAllowed() const { return true; }

  TacEditGeometry Geometry() const {
    TacEditGeometry G;
    G.BorderWidth = EditBorderWidth();
    G.Padding = PaddingRect(FPadding, const_cast<TacSkinnedEdit*>(this)->SkinData()->GetPPI());
    G.GlyphArea = GlyphAreaWidth();
    G.GlyphWidth = HasAddedGlyph() ? FAddedGlyph->GlyphWidth() : 0;
    G.GlyphSpacing = GlyphSpacing();
    G.LineHeight = EditLineHeight(this->Font());
    G.RightToLeft = this->UseRightToLeftAlignment();
    return G;
  }
  int GlyphSpacing() const { return 4 * const_cast<TacSkinnedEdit*>(this)->SkinData()->GetPPI() / 96; }

  RECT FrameWidth() const override {
    const int B = EditBorderWidth();
    return RECT{B + FTextMargins.left, B + FTextMargins.top, B + FTextMargins.right, B + FTextMargins.bottom};
  }
  bool RebuildOnPrint() const override { return true; }
  // A borderless edit shows its section's background only.
  bool HasBorder() const override { return this->BorderStyle() == TBorderStyle::bsSingle; }

  void PaddingChanged() {
    if (this->Loading()) return;
    this->SkinData()->StateBits |= acsRecalcFrame;
    FGlyphRect.left = -1;
    ConsumeRecalcFrame(false);
    this->SkinData()->Invalidate(true);
  }
  void ConsumeRecalcFrame(bool NoRedraw) {
    this->SkinData()->StateBits &= ~acsRecalcFrame;
    this->SkinData()->BGChanged = true;
    RecalcFrame(*this, NoRedraw);
  }
  // Unskinned, the control's own colour under the text.
  virtual void PaintPlainFace() { FillEditInside(*this, *this->SkinData(), 0); }
  // The combo edits paint their button into the cache here.
  virtual void PaintButton() {}
  // TsEdit's glyph keeps its colours on a disabled edit.
  virtual bool GlyphAfterDisabledLook() const { return true; }

  void WndProc(TMessage& Message) override {
    switch (Message.Msg) {
      case WM_SIZE:
      case WM_WINDOWPOSCHANGED:
        FGlyphRect.left = -1;
        break;
      case WM_NCCALCSIZE:
        Pattern::WndProc(Message);
        AfterNcCalcSize(Message);
        return;
      case WM_NCHITTEST: {
        // The whole window is client to the mouse but the glyph, whose
        // clicks must not move the caret.
        POINT P{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        RECT W{};
        if (this->HandleAllocated()) GetWindowRect(this->Handle(), &W);
        P.x -= W.left;
        P.y -= W.top;
        const RECT G = HasAddedGlyph() ? GetGlyphRect() : RECT{};
        Message.Result = PtInRect(&G, P) ? HTBORDER : HTCLIENT;
        return;
      }
      case WM_NCLBUTTONDOWN:
        FNcClick = true;
        break;
      case WM_NCLBUTTONUP:
        if (FNcClick) {
          FNcClick = false;
          this->Click();
        }
        break;
      case WM_NCLBUTTONDBLCLK:
        this->DblClick();
        break;
    }
    const bool WatchSelection = OnSelChange && ((Message.Msg >= WM_KEYFIRST && Message.Msg <= 0x108) ||
                                                (Message.Msg >= 0x200 && Message.Msg <= 0x20A));
    DWORD Before = 0, After = 0;
    if (WatchSelection && this->HandleAllocated()) Before = DWORD(SendMessageW(this->Handle(), EM_GETSEL, 0, 0));
    Pattern::WndProc(Message);
    if (WatchSelection && this->HandleAllocated()) {
      After = DWORD(SendMessageW(this->Handle(), EM_GETSEL, 0, 0));
      if (After != Before) OnSelChange(this);
    }
  }

  bool SkinStage1(TMessage& Message) override {
    if (Message.Msg == WM_SKINCOMMAND && SkinCommandCode(Message.WParam) == AC_GETEDITRECT) {
      if (Message.LParam) *reinterpret_cast<RECT*>(Message.LParam) = GetTextRect();
      Message.Result = 1;
      return true;
    }
    return Pattern::SkinStage1(Message);
  }

  bool SystemPaintsFace() const {
    return this->Focused() && this->Enabled() && !(this->SkinData()->StateBits & acsLabelFlying);
  }

  bool SkinnedMessage(TMessage& Message) override {
    TsCommonData& Data = *this->SkinData();
    switch (Message.Msg) {
      case WM_PAINT:
        if (Data.StateBits & acsRecalcFrame) ConsumeRecalcFrame(true);
        if (SystemPaintsFace()) {
          TBase::WndProc(Message);
          return true;
        }
        this->PaintToDC(reinterpret_cast<HDC>(Message.WParam));
        return true;
      case WM_ERASEBKGND:
        if (!WindowAnimationRunning() && !Data.CheckUpdating(false) && this->Focused() && this->Enabled()) {
          TBase::WndProc(Message);
        } else {
          Message.Result = 1;
        }
        return true;
      case WM_NCPAINT:
        if (this->HandleAllocated() && IsWindowVisible(this->Handle())) PaintFrame(nullptr);
        return true;
      case WM_SETFOCUS:
      case CM_ENTER:
        if (!this->CanFocus()) break;
        if (!HandleCtrlSkinMessage(Message, this->SkinData())) TBase::WndProc(Message);
        AfterFocusGained();
        return true;
      case WM_KILLFOCUS:
      case CM_EXIT:
        FocusLost();
        break;
    }
    if (Pattern::SkinnedMessage(Message)) return true;
    switch (Message.Msg) {
      case WM_SIZE:
      case WM_SETFONT:
        if (FVerticalAlignment != TVerticalAlignment::taAlignTop) Data.StateBits |= acsRecalcFrame;
        break;
      case CM_FOCUSCHANGED:
        if (Data.Focused) Data.BGChanged = true;
        break;
    }
    return false;
  }

  void UnskinnedWndProc(TMessage& Message) override {
    switch (Message.Msg) {
      case WM_SETFOCUS:
      case CM_ENTER:
        TBase::WndProc(Message);
        if (this->CanFocus()) AfterFocusGained();
        return;
      case WM_KILLFOCUS:
      case CM_EXIT:
        FocusLost();
        break;
      case WM_NCPAINT:
        TBase::WndProc(Message);
        PaintPlainFrameParts();
        return;
    }
    TBase::WndProc(Message);
  }

  // Unskinned, after the system frame: the padding strips and the glyph
  // area, from the cache.
  void PaintPlainFrameParts() {
    const bool Padded = FTextMargins.left || FTextMargins.top || FTextMargins.right || FTextMargins.bottom;
    if (!Padded && !HasAddedGlyph()) return;
    if (!BuildCache()) return;
    RECT Glyph{};
    if (HasAddedGlyph()) Glyph = GetGlyphRect();
    BlitEditFrame(*this, *this->SkinData(), FrameWidth(), Glyph);
  }

  void Loaded() override {
    Pattern::Loaded();
    FGlyphRect.left = -1;
  }

 private:
  void AfterNcCalcSize(TMessage& Message) {
    auto* Client = reinterpret_cast<RECT*>(Message.LParam);
    if (this->Loading() || !Client) {
      FTextMargins = RECT{};
      return;
    }
    FTextMargins = CalcEditTextMargins(Geometry(), FVerticalAlignment, this->Height(), this->SkinData()->SkinIndex < 0,
                                       *Client);
  }
  void AfterFocusGained() {
    TsCommonData& Data = *this->SkinData();
    if (Data.StateBits & acsNoLabelFlight) return;
    if (FLabelFromTextHint && IsTextEmpty() && LabelAnimationAllowed())
      AnimateLabelFromHint(&Data, this->BoundLabel(), FTextHint);
  }
  void FocusLost() {
    if (!IsTextEmpty() || FTextHint.empty()) return;
    if (FLabelFromTextHint && this->BoundLabel()) this->BoundLabel()->HideAndRedraw();
    this->SkinData()->Invalidate();
  }

  std::unique_ptr<TacAddedGlyph> FAddedGlyph;
  TacPadding FPadding;
  String FTextHint;
  bool FLabelFromTextHint = false;
  TVerticalAlignment FVerticalAlignment = TVerticalAlignment::taAlignTop;
  RECT FTextMargins{};
  RECT FGlyphRect{-1, 0, 0, 0};
  bool FNcClick = false;
};
