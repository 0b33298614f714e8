#include "framework/SpeedButton.h"

#include "framework/GdiHandles.h"
#include "framework/WinControl.h"

#include <algorithm>

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(csCaptureMouse | csDoubleClicks);
  StoreBounds(0, 0, 23, 22);
}

void TSpeedButton::SetGroupIndex(int v) {
  if (v == FGroupIndex) return;
  FGroupIndex = v;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool v) {
  if (FGroupIndex == 0) v = false;
  if (v == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = v;
  if (v) {
    if (FState == TButtonState::bsUp) Invalidate();
    FState = TButtonState::bsExclusive;
  } else {
    FState = TButtonState::bsUp;
    Repaint();
  }
  if (v) UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool v) {
  if (v == FAllowAllUp) return;
  FAllowAllUp = v;
  UpdateExclusive();
}

void TSpeedButton::SetFlat(bool v) {
  if (v == FFlat) return;
  FFlat = v;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int v) {
  v = std::clamp(v, 1, 4);
  if (v == FNumGlyphs) return;
  FNumGlyphs = v;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout v) {
  if (v == FLayout) return;
  FLayout = v;
  Invalidate();
}

void TSpeedButton::SetMargin(int v) {
  if (v == FMargin || v < -1) return;
  FMargin = v;
  Invalidate();
}

void TSpeedButton::SetSpacing(int v) {
  if (v == FSpacing) return;
  FSpacing = v;
  Invalidate();
}

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !FParent) return;
  TMessage m{CM_BUTTONPRESSED, WPARAM(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
  for (int i = 0; i < FParent->ControlCount(); ++i) {
    TControl* c = FParent->Controls(i);
    if (c != this) c->WindowProc(m);
  }
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !Enabled()) return;
  if (!FDown) {
    FState = TButtonState::bsDown;
    Repaint();
  }
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!FDragging) return;
  const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  TButtonState state = FDown ? TButtonState::bsExclusive : TButtonState::bsUp;
  if (inside && !FDown) state = TButtonState::bsDown;
  if (state != FState) {
    FState = state;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (!FDragging || button != TMouseButton::mbLeft) return;
  FDragging = false;
  const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  if (FGroupIndex == 0) {
    FState = TButtonState::bsUp;
    Invalidate();
  } else {
    if (inside) SetDown(!FDown);
    // Still down when going up was refused.
    FState = FDown ? TButtonState::bsExclusive : TButtonState::bsUp;
    Invalidate();
  }
  if (inside) Click();
}

void TSpeedButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONUP:
      // Only a press this button took clicks it (MouseUp): a press that
      // opened something else instead does not.
      FMouseDownInside = false;
      TControl::WndProc(m);
      return;
    case CM_BUTTONPRESSED: {
      auto* sender = reinterpret_cast<TSpeedButton*>(m.LParam);
      if (int(m.WParam) != FGroupIndex || sender == this || !sender) break;
      if (sender->Down() && FDown) {
        FDown = false;
        FState = TButtonState::bsUp;
        Invalidate();
      }
      FAllowAllUp = sender->AllowAllUp();
      m.Result = 0;
      return;
    }
    case CM_ENABLEDCHANGED:
      FState = Enabled() ? (FDown ? TButtonState::bsExclusive : TButtonState::bsUp) : TButtonState::bsDisabled;
      Invalidate();
      break;
    case CM_MOUSEENTER:
      if (Enabled() && !FMouseInControl) {
        FMouseInControl = true;
        if (FFlat) Invalidate();
      }
      break;
    case CM_MOUSELEAVE:
      if (FMouseInControl) {
        FMouseInControl = false;
        if (FFlat) Invalidate();
      }
      break;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      Invalidate();
      break;
  }
  TGraphicControl::WndProc(m);
}

RECT TSpeedButton::GlyphSourceRect(TButtonState state) const {
  if (FGlyph.Empty()) return RECT{};
  const int w = FGlyph.Width() / FNumGlyphs;
  int index = int(state);
  // Missing pictures fall back to the up one.
  if (index >= FNumGlyphs) index = 0;
  return RECT{index * w, 0, index * w + w, FGlyph.Height()};
}

void TSpeedButton::LayoutContent(HDC dc, const RECT& client, RECT& glyph, RECT& text) const {
  SIZE g{};
  if (!FGlyph.Empty()) g = SIZE{FGlyph.Width() / FNumGlyphs, FGlyph.Height()};
  SIZE t{};
  const String caption = Caption();
  if (!caption.empty()) {
    RECT r{0, 0, client.right - client.left, 0};
    DrawTextW(dc, caption.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    t = SIZE{r.right - r.left, r.bottom - r.top};
  }
  const bool horizontal = FLayout == TButtonLayout::blGlyphLeft || FLayout == TButtonLayout::blGlyphRight;
  const int cw = client.right - client.left, ch = client.bottom - client.top;
  const int spacing = (g.cx > 0 && t.cx > 0) ? FSpacing : 0;
  const int total = horizontal ? g.cx + spacing + t.cx : g.cy + spacing + t.cy;
  const int room = horizontal ? cw : ch;
  const int start = FMargin < 0 ? (room - total) / 2 : FMargin;
  POINT gp{}, tp{};
  if (horizontal) {
    gp.y = (ch - g.cy) / 2;
    tp.y = (ch - t.cy) / 2;
    if (FLayout == TButtonLayout::blGlyphLeft) {
      gp.x = start;
      tp.x = start + g.cx + spacing;
    } else {
      gp.x = cw - start - g.cx;
      tp.x = gp.x - spacing - t.cx;
    }
  } else {
    gp.x = (cw - g.cx) / 2;
    tp.x = (cw - t.cx) / 2;
    if (FLayout == TButtonLayout::blGlyphTop) {
      gp.y = start;
      tp.y = start + g.cy + spacing;
    } else {
      gp.y = ch - start - g.cy;
      tp.y = gp.y - spacing - t.cy;
    }
  }
  glyph = RECT{client.left + gp.x, client.top + gp.y, client.left + gp.x + g.cx, client.top + gp.y + g.cy};
  text = RECT{client.left + tp.x, client.top + tp.y, client.left + tp.x + t.cx, client.top + tp.y + t.cy};
}

void TSpeedButton::Paint(TCanvas& canvas) {
  const HDC dc = canvas.Handle();
  RECT client{0, 0, Width(), Height()};
  const bool pressed = FState == TButtonState::bsDown || FState == TButtonState::bsExclusive;
  if (FFlat) {
    if (!FTransparent) FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (pressed)
      DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
    else if (FMouseInControl && Enabled())
      DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
    InflateRect(&client, -1, -1);
  } else {
    DrawFrameControl(dc, &client, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
  }
  if (pressed) OffsetRect(&client, 1, 1);
  TSelectObject font(dc, Font().Handle());
  RECT glyph, text;
  LayoutContent(dc, client, glyph, text);
  if (!FGlyph.Empty()) {
    const RECT src = GlyphSourceRect(Enabled() ? FState : TButtonState::bsDisabled);
    const HDC mem = FGlyph.DC();
    TransparentBlt(dc, glyph.left, glyph.top, src.right - src.left, src.bottom - src.top, mem, src.left, src.top,
                   src.right - src.left, src.bottom - src.top, GetPixel(mem, 0, FGlyph.Height() - 1));
  }
  const String caption = Caption();
  if (caption.empty()) return;
  SetBkMode(dc, TRANSPARENT);
  if (!Enabled()) {
    OffsetRect(&text, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_NOCLIP);
    OffsetRect(&text, -1, -1);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  } else {
    SetTextColor(dc, ColorToRGB(Font().Color()));
  }
  DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_NOCLIP);
}
