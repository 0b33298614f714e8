#include "skin/controls/ComboItemDrawing.h"

#include <algorithm>
#include <cwctype>

#include "framework/SavedDC.h"
#include "skin/imagelists/AlphaImageDrawing.h"
#include "skin/imagelists/ImageSizes.h"
#include "skin/painting/HtmlText.h"
#include "skin/painting/SectionText.h"

// After the caption engine: its member SelectFont is a macro of windowsx.h.
#include "skin/controls/SkinnedEditBase.h"

namespace {

constexpr UINT kTextFlags = DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX;
constexpr UINT kHtmlFlags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX;

bool IsBreakTag(const String& Tag) {
  String t;
  for (wchar_t c : Tag)
    if (!iswspace(c) && c != L'/') t += wchar_t(towlower(c));
  return t == L"br";
}

}  // namespace

int ItemImageColumnWidth(TCustomImageList* Images, int PPI, int Spacing) {
  return Images ? ScaledImageWidth(Images, 0, PPI) + Spacing : 0;
}

String StripHtmlTags(const String& Html) {
  String out;
  out.reserve(Html.size());
  size_t i = 0;
  while (i < Html.size()) {
    const size_t close = Html[i] == L'<' ? Html.find(L'>', i) : String::npos;
    if (close == String::npos) {
      out += Html[i++];
      continue;
    }
    if (IsBreakTag(Html.substr(i + 1, close - i - 1))) out += L'\n';
    i = close + 1;
  }
  return out;
}

void DrawComboItemData(const TacItemSlot& Slot, const TacItemDrawData& Data) {
  if (!Slot.Bmp || Slot.Bmp->Empty() || !Data.Font) return;
  // Selected into the DC below: it must outlive the DC's restoring.
  TFont plain;
  plain.Assign(*Data.Font);
  plain.SetStyle(0);
  HDC dc = Slot.Bmp->DC();
  TSavedDC saved(dc);
  RECT r = Slot.Rect;
  if (!Slot.Face) InflateRect(&r, -4, -1);
  const int g = Slot.Spacing;
  const int column = ItemImageColumnWidth(Slot.Images, Slot.PPI, g);
  const int imageIndex = Data.ImageIndex;
  const bool image = Slot.Images && imageIndex >= 0 && imageIndex < GetImageCount(Slot.Images);
  const int imageHeight = image ? ScaledImageHeight(Slot.Images, imageIndex, Slot.PPI) : 0;

  SetBkMode(dc, TRANSPARENT);

  // The text block: Text on one line, then HtmlText wrapped in what the
  // images leave of the control.
  SelectObject(dc, Data.Font->Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  const int bareLine = tm.tmHeight - tm.tmInternalLeading - tm.tmExternalLeading;
  int blockHeight = Data.Text.empty() ? 0 : int(tm.tmHeight);
  if (!Data.HtmlText.empty()) {
    SelectObject(dc, plain.Handle());
    const String stripped = StripHtmlTags(Data.HtmlText);
    RECT m{0, 0, std::max(1, Slot.Width - column), 0};
    DrawTextW(dc, stripped.c_str(), int(stripped.size()), &m, DT_CALCRECT | kHtmlFlags);
    blockHeight += m.bottom - m.top;
    if (!Data.Text.empty()) blockHeight += g;
  }
  const int slotTop = Slot.Face ? 0 : r.top;
  int top = slotTop + g / 2;
  if (Slot.Alignment == TVerticalAlignment::taAlignBottom)
    top = slotTop + Slot.Height - blockHeight - g / 2;
  else if (Slot.Alignment == TVerticalAlignment::taVerticalCenter)
    top = slotTop + (Slot.Height - blockHeight) / 2;

  int left = r.left;
  if (Slot.Images) {
    if (image) {
      int y = top;
      if (Slot.Alignment == TVerticalAlignment::taAlignBottom)
        y = top + blockHeight - imageHeight;
      else if (Slot.Alignment == TVerticalAlignment::taVerticalCenter)
        y = top + (blockHeight - imageHeight) / 2;
      SIZE drawn{};
      DrawAlphaImage(Slot.Images, Slot.Bmp, left, y, imageIndex, 0, clNone, 0, 1, false, Slot.PPI, drawn);
    }
    left += column;
  }

  int y = top;
  if (!Data.Text.empty()) {
    RECT tr{left, y, r.right, r.bottom};
    TCanvas canvas(dc);
    canvas.Font().Assign(*Data.Font);
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    if (Data.Index < 0)
      canvas.DrawText(Data.Text, tr, kTextFlags);
    else
      DrawSectionText(canvas, Data.Text, true, tr, kTextFlags, Slot.TextSection, Slot.Selected ? 1 : 0, Slot.Manager);
    y += bareLine + g;
  }
  if (!Data.HtmlText.empty()) {
    SelectObject(dc, plain.Handle());
    SetTextColor(dc, ColorToRGB(plain.Color()));
    RECT hr{left, y, r.right, r.bottom};
    DrawHtmlText(dc, Slot.Bmp, Data.HtmlText, hr, kHtmlFlags, Slot.Manager);
  }
}
