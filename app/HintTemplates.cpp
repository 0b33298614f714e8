#include "app/HintTemplates.h"

#include "skin/hints/AlphaHints.h"
#include "skin/hints/HintTemplates.h"

namespace {

struct TPictureCut {
  const wchar_t* Resource;
  RECT Borders;  // left, top, right, bottom
  RECT Margins;
};

// The balloon pictures are 72 x 59; the cut keeps each tail inside its
// corner pieces.
constexpr TPictureCut kWhiteDefault{L"HINT_WBB_DEFAULT", {32, 16, 19, 23}, {19, 15, 19, 23}};
constexpr TPictureCut kWhiteLeftBottom{L"HINT_WBB_LEFTBOTTOM", {35, 16, 22, 27}, {20, 12, 20, 25}};
constexpr TPictureCut kWhiteRightBottom{L"HINT_WBB_RIGHTBOTTOM", {21, 17, 34, 26}, {19, 12, 19, 25}};
constexpr TPictureCut kWhiteRightTop{L"HINT_WBB_RIGHTTOP", {19, 16, 32, 25}, {19, 16, 18, 22}};
constexpr TPictureCut kDark{L"HINT_DARK", {32, 16, 19, 23}, {19, 15, 19, 23}};
constexpr TPictureCut kYellow{L"HINT_YELLOW", {32, 16, 19, 23}, {19, 15, 19, 23}};

void LoadPicture(TacHintImage& image, const TPictureCut& cut) {
  // A template without its picture still shows the text.
  if (!LoadHintImageResource(image, cut.Resource)) return;
  image.BordersWidths().SetSizes(cut.Borders.left, cut.Borders.top, cut.Borders.right, cut.Borders.bottom);
  image.ClientMargins().SetSizes(cut.Margins.left, cut.Margins.top, cut.Margins.right, cut.Margins.bottom);
}

TacHintTemplate& AddTemplate(TsAlphaHints& hints, const wchar_t* name, TColor textColor) {
  TacHintTemplate& t = *hints.Templates().Add();
  t.SetName(name);
  t.Font().SetName(L"Tahoma");
  t.Font().SetHeight(-11);
  t.Font().SetColor(textColor);
  return t;
}

}  // namespace

void AddHintTemplates(TsAlphaHints& hints) {
  TacHintTemplate& white = AddTemplate(hints, L"White Baloon Border", clBlack);
  LoadPicture(white.ImageDefault(), kWhiteDefault);
  LoadPicture(white.Img_LeftBottom(), kWhiteLeftBottom);
  LoadPicture(white.Img_RightBottom(), kWhiteRightBottom);
  LoadPicture(white.Img_RightTop(), kWhiteRightTop);
  LoadPicture(AddTemplate(hints, L"Dark Baloon", clWhite).ImageDefault(), kDark);
  LoadPicture(AddTemplate(hints, L"Yellow Baloon", clBlack).ImageDefault(), kYellow);
}
