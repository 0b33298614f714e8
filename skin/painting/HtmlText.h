#pragma once
// TsHtml: caption text in a small HTML subset, laid out and drawn into a DC
// (usually a 32-bit bitmap's): bold, italic and underline, font size,
// colour and face, line breaks, links and character entities, with word
// wrapping inside an area and per-line alignment. Tolerant: what it does not
// recognise is drawn as written, and it never fails on malformed tags.
//
// Tag names are matched whole (B, I, U, P, BR, FONT, A and their closing
// forms, in any letter case); every other tag is plain text.
#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/GdiHandles.h"
#include "framework/Label.h"

#include <vector>

class TsSkinManager;

// One line piece of a link, in the coordinates of the DC drawn on. A link
// that wraps has one entry per line, all with its number and target.
struct TacLink {
  RECT Rect{};
  int Number = 0;  // 0 for the first A tag of the text
  String Text;     // the HREF value once the link is closed
};
using TacLinks = std::vector<TacLink>;

struct TacLineData {
  String Text;
  int Width = 0;
  int Height = 0;
};

struct TacHtmlColorName {
  const wchar_t* Name;
  uint32_t RGB;  // 0xRRGGBB
};
extern const TacHtmlColorName HtmlColorNames[16];

struct TacHtmlEntity {
  const wchar_t* Name;
  const wchar_t* Code;
  wchar_t Char;
};
extern const TacHtmlEntity HtmlEntities[87];

// The target of an A tag: the HREF value without its quotes; empty without HREF.
String ExtractHref(const String& Tag);

class TsHtml {
 public:
  TsHtml() = default;
  ~TsHtml();
  TsHtml(const TsHtml&) = delete;
  TsHtml& operator=(const TsHtml&) = delete;

  // Settings, before Init.
  TsSkinManager* SkinManager = nullptr;  // for link colours; nil: the default manager
  int TranspMode = 0;                    // 2: anti-aliased measuring and drawing
  TAlignment Alignment = TAlignment::taLeftJustify;
  TBiDiMode BiDiMode = TBiDiMode::bdLeftToRight;

  // DC carries the font and text colour to start with; Bmp (may be nil) is
  // the bitmap selected into it, for the anti-aliased path. R.right is the
  // wrap edge (0 or less: no wrapping).
  void Init(HDC DC, TBitmap* Bmp, const String& Text, const RECT& R, int HotLink = -1, int PressedLink = -1);
  // Lays out (Measure) or draws the text; a measuring pass always runs first.
  // Links gets the link pieces of the pass; R gets (0, 0, widest line, total height).
  void Render(TacLinks& Links, bool Measure, RECT& R);

  const std::vector<TacLineData>& LineData() const { return FLineData; }

 private:
  struct TFontState {
    LOGFONTW Font{};
    COLORREF Color = 0;
  };

  void RunPass(bool Measure);
  void Scan();
  bool ApplyTag(const String& Tag);
  void ApplyFontAttributes(const String& Tag);
  void PushFont(bool ForLink);
  void PopFont();
  void SelectFont();
  SIZE MeasureText(const String& S);
  void OutputText(const String& S);
  void FlushWord();
  void NewLine();
  int LineStartX();
  int AreaWidth() const;
  int FontPoints() const;
  void SetFontPoints(int Points);

  HDC FDC = nullptr;
  TBitmap* FBmp = nullptr;
  HGDIOBJ FSavedFont = nullptr;
  TOwnedFont FFont;
  String FText;
  RECT FArea{};
  UINT FFlags = 0;
  TFontState FInitial;
  TFontState FCurrent;
  std::vector<TFontState> FFontStack;
  int FYyHeight = 0;

  bool FMeasuring = false;
  int FX = 0, FY = 0;
  int FLineX = 0;  // width used on the current line
  int FRowHeight = 0;
  int FLine = 0;
  int FLineWidth = 0;
  int FMaxWidth = 0;
  int FTotalHeight = 0;
  String FWord;
  String FLineText;
  int FHotLink = -1, FPressedLink = -1;
  int FLinkCounter = -1;
  bool FLinkOpen = false;
  TacLinks FLinks;
  std::vector<TacLineData> FLineData;
};

// Measures (DT_CALCRECT in Flags: R gets the size at its top-left) or draws
// the text into R of DC with the DC's font and colour. Nothing for an empty text.
void DrawHtmlText(HDC DC, TBitmap* Bmp, const String& Text, RECT& R, UINT Flags, TsSkinManager* Manager = nullptr,
                  int TranspMode = 0);
