#include "skin/controls/SkinnedEditBase.h"

#include "framework/GdiHandles.h"
#include "skin/forms/SkinColors.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/FontMetrics.h"
#include "skin/graphics/FrameDrawing.h"
#include "skin/imagelists/CharImageList.h"
#include "skin/imagelists/AlphaImageDrawing.h"
#include "skin/imagelists/GlyphDrawing.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CacheCorners.h"
#include "skin/state/ControlText.h"
#include "skin/state/StateQueries.h"

RECT CalcEditTextMargins(const TacEditGeometry& G, TVerticalAlignment Alignment, int Height, bool Unskinned,
                         RECT& Client) {
  RECT M = G.Padding;
  if (Alignment == TVerticalAlignment::taAlignBottom) {
    M.top = Height - G.LineHeight - M.bottom;
  } else if (Alignment == TVerticalAlignment::taVerticalCenter) {
    // Integer division truncates toward zero, also for a line taller than
    // the edit.
    const int D = (Height - G.LineHeight - M.top - M.bottom) / 2;
    M.top += D;
    M.bottom += D;
  }
  Client.left += M.left;
  Client.top += M.top;
  Client.right -= M.right;
  Client.bottom -= M.bottom;
  if (G.GlyphArea > 0) {
    if (G.RightToLeft) {
      Client.right -= G.GlyphArea;
      if (Unskinned) M.right += G.GlyphArea;
    } else {
      Client.left += G.GlyphArea;
      if (Unskinned) M.left += G.GlyphArea;
    }
  }
  return M;
}

RECT EditGlyphRect(const TacEditGeometry& G, int Width, int Height) {
  RECT R;
  R.left = G.RightToLeft ? Width - G.BorderWidth - G.GlyphWidth - G.Padding.right : G.BorderWidth + G.Padding.left;
  R.right = R.left + G.GlyphWidth;
  R.top = G.BorderWidth + G.Padding.top;
  R.bottom = Height - G.BorderWidth - G.Padding.bottom;
  return R;
}

int EditLineHeight(const TFont& Font) { return FontLineHeight(Font.Handle(), false); }

void DrawEditTextHint(TsCommonData& Data, TWinControl& Control, const String& Hint, RECT R, UINT Flags) {
  if (!Data.CacheBmp) return;
  TCanvas Canvas(Data.CacheBmp->DC());
  Canvas.Font().Assign(Control.Font());
  TsSkinManager* Manager = Data.GetSkinManager();
  const int State = Data.GetCtrlState();
  TColor Text = Control.Font().Color();
  TColor Back = Control.Color();
  if (Data.IsSkinned()) {
    Text = GetStateFontColor(&Control, Data.SkinIndex, Manager, &Data, State);
    Back = Data.GetBgColor(State);
  }
  const uint32_t Mixed = MixColors(SkinColorToRGB(Text, Manager), SkinColorToRGB(Back, Manager), 148);
  const HDC DC = Canvas.Handle();
  const int Saved = SaveDC(DC);
  SelectObject(DC, Canvas.Font().Handle());
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, Mixed);
  DrawTextW(DC, Hint.c_str(), int(Hint.size()), &R, Flags);
  RestoreDC(DC, Saved);
}

void DrawEditFaceText(TsCommonData& Data, TWinControl& Control, const String& Text, RECT R, UINT Flags) {
  if (!Data.CacheBmp) return;
  TCanvas Canvas(Data.CacheBmp->DC());
  Canvas.Font().Assign(Control.Font());
  DrawTextWithEffects(Canvas, Text.c_str(), Control.Enabled(), R, Flags, Data, Data.GetCtrlState(), true);
}

void DrawEditAddedGlyph(TsCommonData& Data, TWinControl& Control, TacAddedGlyph& Glyph, const RECT& R) {
  TCustomImageList* List = Glyph.Images();
  if (!List || !Data.CacheBmp) return;
  const int W = Glyph.GlyphWidth(), H = Glyph.GlyphHeight();
  TacGlyphDrawData D;
  D.Images = List;
  D.ImageIndex = Glyph.ImageIndex();
  D.Blend = Control.Enabled() ? Glyph.Blend() : Glyph.Blend() + (100 - Glyph.Blend()) / 2;
  D.Enabled = Control.Enabled();
  D.DstBmp = Data.CacheBmp.get();
  D.ImgRect = RECT{R.left + (R.right - R.left - W) / 2, R.top + (R.bottom - R.top - H) / 2, 0, 0};
  D.ImgRect.right = D.ImgRect.left + W;
  D.ImgRect.bottom = D.ImgRect.top + H;
  D.PPI = Data.GetPPI();
  const bool Focused = Control.Focused() || Data.Focused;
  TsSkinManager* Manager = Data.GetSkinManager();
  if (Data.IsSkinned()) {
    D.Grayed = !Focused && (Glyph.Grayed() || (Manager && Manager->Effects().DiscoloredGlyphs()));
    D.ToneColor = Data.GetBgColor(Focused ? 1 : 0);
  } else {
    D.Grayed = Glyph.Grayed();
    D.ToneColor = Control.Color();
  }
  auto* CharList = dynamic_cast<TsCharImageList*>(List);
  if (Glyph.ColorTone() != clNone) {
    if (CharList) {
      // A character list draws in its font colour: the tone is that colour
      // for this glyph only, not a grey tint.
      SIZE Size{};
      DrawAlphaImage(List, D.DstBmp, D.ImgRect.left, D.ImgRect.top, D.ImageIndex, D.Blend, clNone, 0, 1, false, D.PPI,
                     Size, Glyph.ColorTone());
      return;
    }
    D.Grayed = true;
    D.ToneColor = Glyph.ColorTone();
  }
  DrawImageListGlyph(D);
}

void BlitEditFrame(TWinControl& Control, TsCommonData& Data, const RECT& Strips, const RECT& Glyph) {
  const HWND Wnd = Control.HandleIfAllocated();
  if (!Wnd || !Data.CacheBmp || Data.CacheBmp->Width() == 0) return;
  const HDC DC = GetWindowDC(Wnd);
  if (!DC) return;
  const int Saved = SaveDC(DC);
  try {
    if (Data.IsSkinned()) FillCacheCorners(&Data, 0, 15);
    BlitFrameStrips(DC, 0, 0, Control.Width(), Control.Height(), Data.CacheBmp->DC(), 0, 0, Strips.left, Strips.top,
                    Strips.right, Strips.bottom);
    if (Glyph.right > Glyph.left)
      BitBlt(DC, Glyph.left, Glyph.top, Glyph.right - Glyph.left, Glyph.bottom - Glyph.top, Data.CacheBmp->DC(),
             Glyph.left, Glyph.top, SRCCOPY);
  } catch (...) {
    RestoreDC(DC, Saved);
    ReleaseDC(Wnd, DC);
    throw;
  }
  RestoreDC(DC, Saved);
  ReleaseDC(Wnd, DC);
}

void FillEditInside(TWinControl& Control, TsCommonData& Data, int BorderWidth) {
  if (!Data.CacheBmp) return;
  TOwnedBrush Brush(CreateSolidBrush(SkinColorToRGB(Control.Color(), Data.GetSkinManager())));
  const RECT R{BorderWidth, BorderWidth, Control.Width() - BorderWidth, Control.Height() - BorderWidth};
  FillRect(Data.CacheBmp->DC(), &R, Brush.get());
}
