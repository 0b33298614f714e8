#include "skin/painting/HtmlText.h"

#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/TextDrawing.h"
#include "skin/manager/SkinManager.h"

#include <algorithm>
#include <cwctype>

const TacHtmlColorName HtmlColorNames[16] = {
    {L"AQUA", 0x00FFFF},   {L"BLACK", 0x000000}, {L"BLUE", 0x0000FF},   {L"FUCHSIA", 0xFF00FF},
    {L"GRAY", 0x808080},   {L"GREEN", 0x008000}, {L"LIME", 0x00FF00},   {L"MAROON", 0x800000},
    {L"NAVY", 0x000080},   {L"OLIVE", 0x808000}, {L"PURPLE", 0x800080}, {L"RED", 0xFF0000},
    {L"SILVER", 0xC0C0C0}, {L"TEAL", 0x008080},  {L"WHITE", 0xFFFFFF},  {L"YELLOW", 0xFFFF00},
};

const TacHtmlEntity HtmlEntities[87] = {
    {L"ndash", L"#8211", 0x2013}, {L"mdash", L"#8212", 0x2014}, {L"nbsp", L"#160", 0xA0},
    {L"iexcl", L"#161", 0xA1},    {L"iquest", L"#191", 0xBF},   {L"quot", L"#34", L'"'},
    {L"ldquo", L"#8220", 0x201C}, {L"rdquo", L"#8221", 0x201D}, {L"39", L"39", L'\''},
    {L"lsquo", L"#8216", 0x2018}, {L"rsquo", L"#8217", 0x2019}, {L"laquo", L"#171", 0xAB},
    {L"raquo", L"#187", 0xBB},    {L"amp", L"#38", L'&'},       {L"cent", L"#162", 0xA2},
    {L"copy", L"#169", 0xA9},     {L"divide", L"#247", 0xF7},   {L"gt", L"#62", L'>'},
    {L"lt", L"#60", L'<'},        {L"micro", L"#181", 0xB5},    {L"middot", L"#183", 0xB7},
    {L"para", L"#182", 0xB6},     {L"plusmn", L"#177", 0xB1},   {L"euro", L"#8364", 0x20AC},
    {L"pound", L"#163", 0xA3},    {L"reg", L"#174", 0xAE},      {L"sect", L"#167", 0xA7},
    {L"trade", L"#153", 0x2122},  {L"yen", L"#165", 0xA5},      {L"szlig", L"#223", 0xDF},
    {L"yuml", L"#255", 0xFF},     {L"aacute", L"#225", 0xE1},   {L"Aacute", L"#193", 0xC1},
    {L"agrave", L"#224", 0xE0},   {L"Agrave", L"#192", 0xC0},   {L"acirc", L"#226", 0xE2},
    {L"Acirc", L"#194", 0xC2},    {L"aring", L"#229", 0xE5},    {L"Aring", L"#197", 0xC5},
    {L"atilde", L"#227", 0xE3},   {L"Atilde", L"#195", 0xC3},   {L"auml", L"#228", 0xE4},
    {L"Auml", L"#196", 0xC4},     {L"aelig", L"#230", 0xE6},    {L"AElig", L"#198", 0xC6},
    {L"ccedil", L"#231", 0xE7},   {L"Ccedil", L"#199", 0xC7},   {L"eacute", L"#233", 0xE9},
    {L"Eacute", L"#201", 0xC9},   {L"egrave", L"#232", 0xE8},   {L"Egrave", L"#200", 0xC8},
    {L"ecirc", L"#234", 0xEA},    {L"Ecirc", L"#202", 0xCA},    {L"euml", L"#235", 0xEB},
    {L"Euml", L"#203", 0xCB},     {L"iacute", L"#237", 0xED},   {L"Iacute", L"#205", 0xCD},
    {L"igrave", L"#236", 0xEC},   {L"Igrave", L"#204", 0xCC},   {L"icirc", L"#238", 0xEE},
    {L"Icirc", L"#206", 0xCE},    {L"iuml", L"#239", 0xEF},     {L"Iuml", L"#207", 0xCF},
    {L"ntilde", L"#241", 0xF1},   {L"Ntilde", L"#209", 0xD1},   {L"oacute", L"#243", 0xF3},
    {L"Oacute", L"#211", 0xD3},   {L"ograve", L"#242", 0xF2},   {L"Ograve", L"#210", 0xD2},
    {L"ocirc", L"#244", 0xF4},    {L"Ocirc", L"#212", 0xD4},    {L"oslash", L"#248", 0xF8},
    {L"Oslash", L"#216", 0xD8},   {L"otilde", L"#245", 0xF5},   {L"Otilde", L"#213", 0xD5},
    {L"ouml", L"#246", 0xF6},     {L"Ouml", L"#214", 0xD6},     {L"uacute", L"#250", 0xFA},
    {L"Uacute", L"#218", 0xDA},   {L"ugrave", L"#249", 0xF9},   {L"Ugrave", L"#217", 0xD9},
    {L"ucirc", L"#251", 0xFB},    {L"Ucirc", L"#219", 0xDB},    {L"uuml", L"#252", 0xFC},
    {L"Uuml", L"#220", 0xDC},     {L"#180", L"#180", 0xB4},     {L"#96", L"#96", L'`'},
};

namespace {

String Upper(String S) {
  for (auto& C : S) C = static_cast<wchar_t>(std::towupper(C));
  return S;
}

bool SameText(const String& A, const wchar_t* B) { return _wcsicmp(A.c_str(), B) == 0; }

COLORREF RGBToColorRef(uint32_t Rgb) { return RGB((Rgb >> 16) & 0xFF, (Rgb >> 8) & 0xFF, Rgb & 0xFF); }

// Six hexadecimal digits of red, green and blue; anything else is black.
COLORREF HexColor(const String& S) {
  if (S.size() != 6) return 0;
  uint32_t V = 0;
  for (wchar_t C : S) {
    if (!std::iswxdigit(C)) return 0;
    V = V * 16 + (std::iswdigit(C) ? C - L'0' : (std::towupper(C) - L'A' + 10));
  }
  return RGBToColorRef(V);
}

bool ParseInt(const String& S, int& Value) {
  if (S.empty() || S.size() > 6) return false;
  int V = 0;
  for (wchar_t C : S) {
    if (!std::iswdigit(C)) return false;
    V = V * 10 + (C - L'0');
  }
  Value = V;
  return true;
}

const TacHtmlEntity* FindEntity(const String& Name) {
  for (const auto& E : HtmlEntities)
    if (Name == E.Name) return &E;
  for (const auto& E : HtmlEntities)
    if (SameText(Name, E.Name)) return &E;
  for (const auto& E : HtmlEntities)
    if (Name == E.Code) return &E;
  return nullptr;
}

bool IsTagSpace(wchar_t C) { return C == L' ' || C == L'\t' || C == L'\r' || C == L'\n'; }

}  // namespace

String ExtractHref(const String& Tag) {
  const String U = Upper(Tag);
  size_t P = U.find(L"HREF");
  if (P == String::npos) return String();
  P = Tag.find(L'=', P + 4);
  if (P == String::npos) return String();
  ++P;
  while (P < Tag.size() && IsTagSpace(Tag[P])) ++P;
  String Value;
  if (P < Tag.size() && (Tag[P] == L'"' || Tag[P] == L'\'')) {
    const wchar_t Quote = Tag[P++];
    const size_t End = Tag.find(Quote, P);
    Value = Tag.substr(P, End == String::npos ? String::npos : End - P);
  } else {
    size_t End = P;
    while (End < Tag.size() && !IsTagSpace(Tag[End]) && Tag[End] != L'>') ++End;
    Value = Tag.substr(P, End - P);
  }
  std::erase_if(Value, [](wchar_t C) { return C == L'"' || C == L'\'' || C == L'>'; });
  return Value;
}

TsHtml::~TsHtml() {
  if (FDC && FSavedFont) SelectObject(FDC, FSavedFont);
}

void TsHtml::Init(HDC DC, TBitmap* Bmp, const String& Text, const RECT& R, int HotLink, int PressedLink) {
  FDC = DC;
  FBmp = Bmp;
  FText = Text;
  FArea = R;
  FHotLink = HotLink;
  FPressedLink = PressedLink;
  FInitial = TFontState{};
  GetObjectW(GetCurrentObject(DC, OBJ_FONT), sizeof(LOGFONTW), &FInitial.Font);
  FInitial.Color = GetTextColor(DC);
  SetBkMode(DC, TRANSPARENT);
  // Stretches never hold line ends, and an ampersand is text, never a prefix.
  FFlags = DT_NOCLIP | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  if (TranspMode == 2) FFlags |= acDT_Antialiased;
  if (BiDiMode == TBiDiMode::bdRightToLeft) FFlags |= DT_RTLREADING | DT_RIGHT;
  if (BiDiMode == TBiDiMode::bdRightToLeftNoAlign) FFlags |= DT_RTLREADING;
}

void TsHtml::Render(TacLinks& Links, bool Measure, RECT& R) {
  if (!FDC) return;
  RunPass(true);
  if (!Measure) RunPass(false);
  Links = FLinks;
  R = RECT{0, 0, FMaxWidth, FTotalHeight};
}

void TsHtml::SelectFont() {
  TOwnedFont Font(CreateFontIndirectW(&FCurrent.Font));
  HGDIOBJ Old = SelectObject(FDC, Font.get());
  if (!FSavedFont) FSavedFont = Old;
  FFont = std::move(Font);
  SetTextColor(FDC, FCurrent.Color);
}

int TsHtml::FontPoints() const {
  const int Dpi = GetDeviceCaps(FDC, LOGPIXELSY);
  int H = FCurrent.Font.lfHeight;
  if (H > 0) {
    TEXTMETRICW Tm{};
    GetTextMetricsW(FDC, &Tm);
    H = Tm.tmHeight - Tm.tmInternalLeading;
  } else {
    H = -H;
  }
  return MulDiv(H, 72, Dpi ? Dpi : 96);
}

void TsHtml::SetFontPoints(int Points) {
  const int Dpi = GetDeviceCaps(FDC, LOGPIXELSY);
  FCurrent.Font.lfHeight = -MulDiv(std::clamp(Points, 1, 500), Dpi ? Dpi : 96, 72);
}

void TsHtml::RunPass(bool Measure) {
  FMeasuring = Measure;
  FCurrent = FInitial;
  FFontStack.clear();
  SelectFont();
  if (Measure) {
    FLineData.clear();
    FMaxWidth = 0;
    FYyHeight = MeasureText(L"Yy").cy;
  }
  FLinks.clear();
  FLinkCounter = -1;
  FLinkOpen = false;
  FLine = 0;
  FY = FArea.top;
  FLineWidth = 0;
  FLineX = 0;
  FWord.clear();
  FLineText.clear();
  FRowHeight = Measure || FLineData.empty() ? FYyHeight : FLineData[0].Height;
  FX = LineStartX();
  Scan();
  FlushWord();
  if (Measure) {
    FLineData.push_back({FLineText, FLineWidth, FRowHeight});
    FMaxWidth = std::max(FMaxWidth, FLineWidth);
  }
  FTotalHeight = FY + FRowHeight - FArea.top;
  // Fonts the text pushed and never popped end with the pass.
  FCurrent = FInitial;
  FFontStack.clear();
  SelectFont();
}

void TsHtml::Scan() {
  const size_t N = FText.size();
  size_t I = 0;
  while (I < N) {
    const wchar_t C = FText[I];
    switch (C) {
      case L' ':
        FlushWord();
        FWord = L" ";
        ++I;
        continue;
      case L'\r':
      case L'\n':
        // A source line end neither breaks the line nor makes a space.
        FlushWord();
        ++I;
        if (C == L'\r' && I < N && FText[I] == L'\n') ++I;
        continue;
      case L'\\':
        FWord += C;
        FlushWord();
        ++I;
        if (I < N) FWord += FText[I++];
        continue;
      case L'&': {
        if (I + 1 < N && FText[I + 1] == L'&') {
          FWord += L'&';
          I += 2;
          continue;
        }
        const size_t Limit = std::min(N, I + 256);
        size_t J = I + 1;
        while (J < Limit && FText[J] != L';' && FText[J] != L' ') ++J;
        if (J < Limit && FText[J] == L';') {
          if (const TacHtmlEntity* E = FindEntity(FText.substr(I + 1, J - I - 1))) {
            FWord += E->Char;
            I = J + 1;
            continue;
          }
        }
        FWord += C;
        ++I;
        continue;
      }
      case L'<': {
        if (I + 1 < N && FText[I + 1] == L'<') {
          FWord += L'<';
          I += 2;
          continue;
        }
        const size_t J = FText.find(L'>', I + 1);
        if (J == String::npos) {
          ++I;
          continue;
        }
        const String Tag = FText.substr(I, J - I + 1);
        FlushWord();
        if (!ApplyTag(Tag)) FWord += Tag;
        I = J + 1;
        continue;
      }
      default:
        FWord += C;
        ++I;
    }
  }
}

bool TsHtml::ApplyTag(const String& Tag) {
  // Tag is "<...>"; the name follows "<" (or "</") directly and ends at a
  // space, the end, or for BR a closing slash.
  const String U = Upper(Tag.substr(1, Tag.size() - 2));
  const bool Closing = !U.empty() && U[0] == L'/';
  size_t P = Closing ? 1 : 0;
  size_t E = P;
  while (E < U.size() && std::iswalpha(U[E])) ++E;
  const String Name = U.substr(P, E - P);
  String Rest = U.substr(E);
  if (!Closing && Name == L"BR" && !Rest.empty() && Rest[0] == L'/') Rest.erase(0, 1);
  if (!Rest.empty() && !IsTagSpace(Rest[0])) return false;

  auto SetStyle = [&](bool On, int Which) {
    LOGFONTW& F = FCurrent.Font;
    if (Which == 0) F.lfWeight = On ? FW_BOLD : FW_NORMAL;
    if (Which == 1) F.lfItalic = On;
    if (Which == 2) F.lfUnderline = On;
    SelectFont();
  };
  if (!Closing) {
    if (Name == L"BR" || Name == L"P") {
      NewLine();
    } else if (Name == L"B") {
      SetStyle(true, 0);
    } else if (Name == L"I") {
      SetStyle(true, 1);
    } else if (Name == L"U") {
      SetStyle(true, 2);
    } else if (Name == L"FONT") {
      PushFont(false);
      ApplyFontAttributes(Tag);
    } else if (Name == L"A") {
      ++FLinkCounter;
      PushFont(true);
      TacLink Link;
      Link.Rect = RECT{FX, FY, FX, FY + FRowHeight};
      Link.Number = FLinkCounter;
      Link.Text = Tag;
      FLinks.push_back(Link);
      FLinkOpen = true;
    } else {
      return false;
    }
    return true;
  }
  if (Name == L"B") {
    SetStyle(false, 0);
  } else if (Name == L"I") {
    SetStyle(false, 1);
  } else if (Name == L"U") {
    SetStyle(false, 2);
  } else if (Name == L"FONT") {
    PopFont();
  } else if (Name == L"A") {
    if (FLinkOpen && !FLinks.empty()) {
      TacLink& Link = FLinks.back();
      Link.Text = ExtractHref(Link.Text);
      Link.Rect.right = FX;
      Link.Rect.bottom = Link.Rect.top + FRowHeight;
      PopFont();
      FLinkOpen = false;
    }
  } else if (Name == L"P") {
    NewLine();
  } else {
    return false;
  }
  return true;
}

void TsHtml::ApplyFontAttributes(const String& Tag) {
  std::vector<String> Words;
  String W;
  for (wchar_t C : Tag) {
    if (IsTagSpace(C) || C == L'"' || C == L'<' || C == L'=' || C == L'>') {
      if (!W.empty()) Words.push_back(W);
      W.clear();
    } else {
      W += C;
    }
  }
  for (size_t K = 0; K + 1 < Words.size(); ++K) {
    const String Name = Upper(Words[K]);
    const String& Value = Words[K + 1];
    if (Name == L"SIZE") {
      int N = 0;
      if (Value[0] == L'+' || Value[0] == L'-') {
        // A relative size that is no number leaves the size as it is.
        if (ParseInt(Value.substr(1), N)) SetFontPoints(FontPoints() + (Value[0] == L'+' ? N : -N));
      } else {
        SetFontPoints(ParseInt(Value, N) ? N : 8);
      }
    } else if (Name == L"COLOR") {
      if (Value[0] == L'#') {
        FCurrent.Color = HexColor(Value.substr(1));
      } else {
        const String U = Upper(Value);
        auto It = std::find_if(std::begin(HtmlColorNames), std::end(HtmlColorNames),
                               [&](const TacHtmlColorName& C) { return U == C.Name; });
        FCurrent.Color = It != std::end(HtmlColorNames) ? RGBToColorRef(It->RGB) : HexColor(Value);
      }
    } else if (Name == L"FACE") {
      const size_t At = Upper(Tag).find(L"FACE");
      const size_t Q1 = Tag.find(L'"', At);
      const size_t Q2 = Q1 == String::npos ? String::npos : Tag.find(L'"', Q1 + 1);
      if (Q2 != String::npos && Q2 - Q1 - 1 < LF_FACESIZE) {
        const String Face = Tag.substr(Q1 + 1, Q2 - Q1 - 1);
        wcsncpy(FCurrent.Font.lfFaceName, Face.c_str(), LF_FACESIZE - 1);
        FCurrent.Font.lfFaceName[LF_FACESIZE - 1] = 0;
      }
    }
  }
  SelectFont();
}

void TsHtml::PushFont(bool ForLink) {
  FFontStack.push_back(FCurrent);
  if (!ForLink) return;
  const int State = (FLinkCounter == FPressedLink) + (FLinkCounter == FHotLink);
  TsSkinManager* Manager = SkinManager ? SkinManager : TsSkinManager::DefaultManager();
  if (Manager && Manager->IsSkinLoaded()) {
    const auto& Pal = Manager->Palette();  // 1: FONTCOLOR, 2: TCBOTTOM, 3: TCTOP
    FCurrent.Color = State == 0 ? Pal[2] : State == 1 ? Pal[3] : MixColors(Pal[3], Pal[1], 127);
  } else {
    FCurrent.Color = State == 2 ? RGB(255, 0, 0) : RGB(0, 0, 255);
  }
  if (State > 0) FCurrent.Font.lfUnderline = TRUE;
  SelectFont();
}

void TsHtml::PopFont() {
  if (FFontStack.empty()) return;
  FCurrent = FFontStack.back();
  FFontStack.pop_back();
  SelectFont();
}

SIZE TsHtml::MeasureText(const String& S) {
  if (S.empty()) return SIZE{0, 0};
  RECT R{0, 0, 0x3FFFFFFF, 0};
  // Centring only places a drawn stretch; measured it would move the rectangle.
  DrawTextCapped(FDC, S, R, (FFlags & ~DT_VCENTER) | DT_CALCRECT, nullptr);
  SIZE Size{R.right - R.left, R.bottom - R.top};
  // GDI measures an italic run without its overhang.
  if (FCurrent.Font.lfItalic && !(FFlags & acDT_Antialiased)) {
    RECT I{0, 0, 0x3FFFFFFF, 0};
    DrawTextW(FDC, L"I", 1, &I, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    Size.cx += I.right - I.left;
  }
  return Size;
}

void TsHtml::OutputText(const String& Text) {
  String S = Text;
  std::erase_if(S, [](wchar_t C) { return C == L'\r' || C == L'\n'; });
  if (S.empty()) return;
  const SIZE Size = MeasureText(S);
  FRowHeight = std::max<int>(FRowHeight, Size.cy);
  if (!FMeasuring) {
    RECT R{FX, FY, FX + Size.cx, FY + FRowHeight};
    SetTextColor(FDC, FCurrent.Color);
    DrawTextCapped(FDC, S, R, FFlags, FBmp);
  }
  FX += Size.cx;
  FLineX += Size.cx;
  FLineWidth = std::max(FLineWidth + static_cast<int>(Size.cx), FLineX);
  if (FMeasuring) FLineText += S;
}

void TsHtml::FlushWord() {
  if (FWord.empty()) return;
  String Word;
  Word.swap(FWord);
  if (FArea.right > 0) {
    int W = MeasureText(Word).cx;
    const int Room = AreaWidth();
    if (FLineX + W > Room) {
      if (Word[0] == L' ' || Word[0] == L'\\') {
        Word.erase(0, 1);
        W = MeasureText(Word).cx;
      }
      if (W > Room) {
        // Wider than the whole area: drawn where it stands, the line ends after it.
        OutputText(Word);
        NewLine();
        return;
      }
      if (FLinkOpen && !FLinks.empty()) {
        TacLink Piece = FLinks.back();
        TacLink& Old = FLinks.back();
        Old.Rect.right = FX;
        Old.Rect.bottom = Old.Rect.top + FRowHeight;
        Old.Text = ExtractHref(Old.Text);
        if (FLineX > 0) NewLine();
        Piece.Rect = RECT{FX, FY, FX, FY + FRowHeight};
        FLinks.push_back(Piece);
      } else if (FLineX > 0) {
        NewLine();
      }
    }
  }
  OutputText(Word);
}

void TsHtml::NewLine() {
  FY += FRowHeight + 2;
  if (FMeasuring) FLineData.push_back({FLineText, FLineWidth, FRowHeight});
  FMaxWidth = std::max(FMaxWidth, FLineWidth);
  FLineText.clear();
  FLineWidth = 0;
  ++FLine;
  if (FMeasuring)
    FRowHeight = FYyHeight;
  else
    FRowHeight = FLine < static_cast<int>(FLineData.size()) ? FLineData[FLine].Height : FYyHeight;
  FLineX = 0;
  FX = LineStartX();
}

int TsHtml::AreaWidth() const { return FArea.right > 0 ? FArea.right - FArea.left : FMaxWidth; }

int TsHtml::LineStartX() {
  if (FMeasuring) return FArea.left;
  enum { kLeft, kRight, kCentre } Mode = kLeft;
  const bool Rtl = BiDiMode == TBiDiMode::bdRightToLeft;
  if (Alignment == TAlignment::taCenter)
    Mode = kCentre;
  else if ((Alignment == TAlignment::taRightJustify) != Rtl)
    Mode = kRight;
  if (Mode == kLeft) return FArea.left;
  int LineWidth = 0;
  if (!FLineData.empty()) LineWidth = FLineData[std::min<size_t>(FLine, FLineData.size() - 1)].Width;
  const int Width = AreaWidth();
  return Mode == kRight ? FArea.left + Width - LineWidth : FArea.left + (Width - LineWidth) / 2;
}

void DrawHtmlText(HDC DC, TBitmap* Bmp, const String& Text, RECT& R, UINT Flags, TsSkinManager* Manager,
                  int TranspMode) {
  if (Text.empty()) return;
  TsHtml Html;
  Html.SkinManager = Manager;
  Html.TranspMode = TranspMode;
  Html.Init(DC, Bmp, Text, R);
  TacLinks Links;
  RECT Size{};
  Html.Render(Links, (Flags & DT_CALCRECT) != 0, Size);
  if (Flags & DT_CALCRECT) R = RECT{R.left, R.top, R.left + Size.right, R.top + Size.bottom};
}
