#include "skin/hints/HintTemplates.h"

#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/PngGraphic.h"
#include "skin/hints/AlphaHints.h"

namespace {
// A change reported from inside another change report stops here.
bool gReportingChange = false;
}  // namespace

// ---- TacBordersSizes --------------------------------------------------------

void TacBordersSizes::Assign(const TPersistent& Source) {
  auto* src = dynamic_cast<const TacBordersSizes*>(&Source);
  if (!src) return TPersistent::Assign(Source);
  FLeft = src->FLeft;
  FTop = src->FTop;
  FRight = src->FRight;
  FBottom = src->FBottom;
  if (FOwner) FOwner->Changed();
}

void TacBordersSizes::SetSide(int& Side, int Value) {
  if (Side == Value) return;
  Side = Value;
  if (FOwner) FOwner->Changed();
}

void TacBordersSizes::SetSizes(int ALeft, int ATop, int ARight, int ABottom) {
  FLeft = ALeft;
  FTop = ATop;
  FRight = ARight;
  FBottom = ABottom;
  if (FOwner) FOwner->Changed();
}

// ---- TacBorderDrawModes -----------------------------------------------------

void TacBorderDrawModes::Assign(const TPersistent& Source) {
  auto* src = dynamic_cast<const TacBorderDrawModes*>(&Source);
  if (!src) return TPersistent::Assign(Source);
  FLeft = src->FLeft;
  FTop = src->FTop;
  FRight = src->FRight;
  FBottom = src->FBottom;
  FCenter = src->FCenter;
  if (FOwner) FOwner->Changed();
}

void TacBorderDrawModes::SetMode(TacBorderDrawMode& Mode, TacBorderDrawMode Value) {
  if (Mode == Value) return;
  Mode = Value;
  if (FOwner) FOwner->Changed();
}

// ---- TacHintImage -----------------------------------------------------------

TacHintImage::TacHintImage(TacHintTemplate* AOwner) : FOwner(AOwner), FImage(NewBitmap32(0, 0)) {}

TacHintImage::~TacHintImage() = default;

void TacHintImage::Assign(const TPersistent& Source) {
  auto* src = const_cast<TacHintImage*>(dynamic_cast<const TacHintImage*>(&Source));
  if (!src) return TPersistent::Assign(Source);
  FOffsetHorz = src->FOffsetHorz;
  FOffsetVert = src->FOffsetVert;
  FImage->Assign(*src->FImage);
  FImgData.Clear();
  src->FImgData.SaveToStream(FImgData);
  FImgData.SetPosition(0);
  FBorderDrawModes.Assign(src->FBorderDrawModes);
  FClientMargins.Assign(src->FClientMargins);
  FBordersWidths.Assign(src->FBordersWidths);
  FShadowSizes.Assign(src->FShadowSizes);
}

void TacHintImage::SetOffsetHorz(int Value) {
  FOffsetHorz = Value;
  Changed();
}

void TacHintImage::SetOffsetVert(int Value) {
  FOffsetVert = Value;
  Changed();
}

void TacHintImage::SetImage(const TBitmap& Value) {
  FImage->Assign(Value);
  if (!FImage->Empty() && FImage->PixelFormat() != pf32bit) FImage->SetPixelFormat(pf32bit);
  const int halfW = (ImageWidth() - 1) / 2, halfH = (ImageHeight() - 1) / 2;
  FBordersWidths.SetSizes(halfW, halfH, halfW, halfH);
  FClientMargins.SetSizes(halfW, halfH, halfW, halfH);
  Changed();
}

bool TacHintImage::DecodeImgData() {
  if (!FImage->Empty() || FImgData.Size() == 0) return false;
  try {
    TPNGGraphic png;
    FImgData.SetPosition(0);
    png.LoadFromStream(FImgData);
    CopyPngToBitmap32(*FImage, png);
  } catch (const Exception&) {
    // Broken bytes draw no bubble body, as an empty picture does.
    FImage = NewBitmap32(0, 0);
    return false;
  }
  Changed();
  return !FImage->Empty();
}

bool TacHintImage::HasPicture() { return !FImage->Empty() || FImgData.Size() > 0; }

void TacHintImage::Changed() {
  if (FOwner) FOwner->Changed();
}

// ---- TacHintTemplate --------------------------------------------------------

TacHintTemplate::TacHintTemplate(TCollection* ACollection) : TCollectionItem(ACollection) { FFont.SetHeight(-12); }

TacHintTemplate::~TacHintTemplate() = default;

void TacHintTemplate::Assign(const TPersistent& Source) {
  auto* src = const_cast<TacHintTemplate*>(dynamic_cast<const TacHintTemplate*>(&Source));
  if (!src) return TPersistent::Assign(Source);
  FImageDefault.Assign(src->FImageDefault);
  FImgLeftBottom.Assign(src->FImgLeftBottom);
  FImgRightBottom.Assign(src->FImgRightBottom);
  FImgRightTop.Assign(src->FImgRightTop);
  FHintAlign = src->FHintAlign;
  FFont.Assign(src->FFont);
  FName = src->FName;
}

void TacHintTemplate::SetFont(const TFont& Value) {
  FFont.Assign(Value);
  Changed();
}

TsAlphaHints* TacHintTemplate::Hints() const {
  auto* templates = dynamic_cast<TacHintTemplates*>(Collection());
  return templates ? templates->Owner() : nullptr;
}

void TacHintTemplate::Changed() {
  if (gReportingChange) return;
  TsAlphaHints* hints = Hints();
  if (!hints) return;
  gReportingChange = true;
  try {
    hints->Changed();
  } catch (...) {
    gReportingChange = false;
    throw;
  }
  gReportingChange = false;
}

// ---- TacHintTemplates -------------------------------------------------------

TacHintTemplates::TacHintTemplates(TsAlphaHints* AOwner)
    : TCollection([](TCollection* c) -> TCollectionItem* { return new TacHintTemplate(c); }), FOwner(AOwner) {}

void TacHintTemplates::Assign(const TPersistent& Source) {
  auto* src = dynamic_cast<const TacHintTemplates*>(&Source);
  if (!src) return TPersistent::Assign(Source);
  if (src == this) return;
  BeginUpdate();
  Clear();
  for (int i = 0; i < src->Count(); ++i) Add()->Assign(*src->Items(i));
  EndUpdate();
}

// ---- the default template ---------------------------------------------------

bool LoadHintImageResource(TacHintImage& image, const wchar_t* name) {
  try {
    TResourceStream res(GetModuleHandleW(nullptr), name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    TPNGGraphic png;
    png.LoadFromStream(res);
    auto bmp = NewBitmap32(0, 0);
    CopyPngToBitmap32(*bmp, png);
    image.SetImage(*bmp);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

TacHintTemplate& DefaultHintTemplate() {
  static std::unique_ptr<TacHintTemplate> gDefault = [] {
    auto t = std::make_unique<TacHintTemplate>(nullptr);
    TacHintImage& img = t->ImageDefault();
    // Without the picture the hints still show their text.
    LoadHintImageResource(img, L"ACHINT");
    img.BordersWidths().SetSizes(11, 10, 14, 15);
    img.ShadowSizes().SetSizes(6, 5, 7, 8);
    img.ClientMargins().SetSizes(11, 8, 16, 15);
    return t;
  }();
  return *gDefault;
}
