#include "skin/hints/HintWindows.h"

#include <algorithm>
#include <cstring>

#include "framework/Form.h"
#include "skin/core/SectionRecords.h"
#include "skin/core/SkinCommand.h"
#include "skin/forms/LayeredWindows.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/MarginStretch.h"
#include "skin/graphics/PixelRoutines.h"
#include "skin/graphics/SkinTypes.h"
#include "skin/hints/AlphaHints.h"
#include "skin/hints/HintSkinBody.h"
#include "skin/hints/HintText.h"
#include "skin/hints/HintTimers.h"
#include "skin/manager/SkinManager.h"
#include "skin/painting/SectionText.h"

namespace {
UINT AlignmentFlag(TAlignment Alignment) {
  switch (Alignment) {
    case TAlignment::taLeftJustify:
      return DT_LEFT;
    case TAlignment::taRightJustify:
      return DT_RIGHT;
    default:
      return DT_CENTER;
  }
}

TacHintImage* CornerImage(TacHintTemplate& Template, TacHintCorner Corner) {
  switch (Corner) {
    case hcLeftBottom:
      return &Template.Img_LeftBottom();
    case hcRightTop:
      return &Template.Img_RightTop();
    case hcRightBottom:
      return &Template.Img_RightBottom();
    default:
      return &Template.ImageDefault();
  }
}

RECT Inflated(RECT R, TacBordersSizes& Sizes) {
  R.right += Sizes.Left() + Sizes.Right();
  R.bottom += Sizes.Top() + Sizes.Bottom();
  return R;
}

// A fully transparent picture: new bitmaps come with whatever memory held.
std::unique_ptr<TBitmap> ClearedBitmap32(int Width, int Height) {
  auto bmp = NewBitmap32(Width, Height);
  for (int y = 0; y < bmp->Height(); ++y) std::memset(bmp->ScanLine(y), 0, size_t(bmp->Width()) * 4);
  return bmp;
}

std::unique_ptr<TBitmap> Copy32(TBitmap& Source) {
  auto bmp = NewBitmap32(Source.Width(), Source.Height());
  for (int y = 0; y < bmp->Height(); ++y) std::memcpy(bmp->ScanLine(y), Source.ScanLine(y), size_t(bmp->Width()) * 4);
  return bmp;
}

TacHintPlaceMode TemplatePlaceMode() {
  return CurrentTemplate && CurrentTemplate->Img_LeftBottom().HasPicture() ? hpmFlip : hpmShiftOnly;
}

// The measuring and drawing font: the override, else the screen's hint font
// for a skin section or the template's, at the hinted control's density.
void SetHintFont(TFont& Font, bool SkinMode) {
  if (ActiveHints && ActiveHints->FontOverride) {
    Font.Assign(*ActiveHints->FontOverride);
  } else if (SkinMode) {
    AssignScreenHintFont(Font);
  } else if (CurrentTemplate) {
    Font.Assign(CurrentTemplate->Font());
  }
  ScaleHintFont(Font, !SkinMode);
}

bool IsKeyColor(uint32_t Pixel) { return (Pixel & 0xFFFFFF) == 0xFF00FF; }
}  // namespace

// ---- TacCustomHintWindow ----------------------------------------------------

TacCustomHintWindow::TacCustomHintWindow(TComponent* AOwner) : THintWindow(AOwner), FPreviousLast(LastHintWindow) {
  LastHintWindow = this;
}

TacCustomHintWindow::~TacCustomHintWindow() {
  if (!FBitmapsReleased) TacCustomHintWindow::ReleaseBitmaps();
  if (LastHintWindow == this) LastHintWindow = nullptr;
}

void TacCustomHintWindow::CreateParams(TCreateParams& params) {
  THintWindow::CreateParams(params);
  params.Style &= ~DWORD(WS_BORDER);
}

String TacCustomHintWindow::ShownText() const { return ActiveHints ? HintText : Caption(); }

RECT TacCustomHintWindow::MeasureText(const String& hint) {
  TsAlphaHints* h = ActiveHints;
  const int limit = h ? HintWidthLimit(h->MaxWidth(), GetPPIForControl(nullptr, this), GetSystemMetrics(SM_CXSCREEN))
                      : GetSystemMetrics(SM_CXSCREEN);
  RECT r{0, 0, limit, 0};
  if (h && h->ContentFrame) return RECT{0, 0, h->ContentFrame->Width(), h->ContentFrame->Height()};
  TMemoryDC dc = TMemoryDC::ForScreen();
  TCanvas canvas(dc.get());
  SetHintFont(canvas.Font(), SectionIndex >= 0);
  const UINT align = h ? AlignmentFlag(h->TextAlignment()) : DT_CENTER;
  DrawHintText(canvas, hint, r, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK | DT_VCENTER | align, h && h->HTMLMode());
  if (h && h->OnMeasure) {
    int w = r.right - r.left, ht = r.bottom - r.top;
    h->OnMeasure(h, hint, h->LastHintInfo, w, ht);
    r.right = r.left + w;
    r.bottom = r.top + ht;
  }
  return r;
}

RECT TacCustomHintWindow::CalcHintRect(int, const String& hint, void*) {
  if (ActiveHints) SectionIndex = ActiveHints->GetSkinIndex();
  RECT r = MeasureText(hint);
  if (SectionIndex >= 0) {
    const RECT b = SkinBorderWidths();
    const int gap = HintContentGap();
    r.right += b.left + b.right + 2 * gap;
    r.bottom += b.top + b.bottom + 2 * gap;
  }
  return r;
}

RECT TacCustomHintWindow::SkinBorderWidths() const {
  return HintSkinBorderWidths(SectionIndex, ActiveHints && ActiveHints->SkinDrawsShadow);
}

RECT TacCustomHintWindow::GetHintShadowSizes() const {
  if (!ActiveHints || !ActiveHints->Active()) return RECT{};
  if (SectionIndex >= 0) {
    if (!HintUsesLayeredBody()) return RECT{};
    const RECT b = SkinBorderWidths();
    return RECT{std::max(0L, b.left - 1), std::max(0L, b.top - 1), std::max(0L, b.right - 1),
                std::max(0L, b.bottom - 1)};
  }
  if (!CurrentTemplate) return RECT{};
  return CornerImage(*CurrentTemplate, Corner)->ShadowSizes().AsRect();
}

bool TacCustomHintWindow::HintUsesLayeredBody() const {
  if (SectionIndex < 0) return true;
  const TsGeneralData* section = HintSection(SectionIndex);
  return LayeredWindowsAvailable() && section && (HintSectionIsBorderOnly(SectionIndex) || section->OuterMode > 2);
}

void TacCustomHintWindow::ActivateHint(RECT rect, const String& hint) {
  TsAlphaHints* h = ActiveHints;
  if (!h) return;
  h->Activating = true;
  h->CleanupTimer.reset();
  h->BubbleShown = true;
  FBitmapsReleased = false;
  if (h->Carrier && h->Carrier->Width() > 0 && (h->Carrier->Left() != 0 || h->Carrier->Top() != 0)) {
    if (h->FadeTimer && h->FadeTimer->Enabled()) {
      h->StopShowAnimation();
      if (!h->NextCarrier && Picture) h->PrevPicture = std::move(Picture);
    }
  } else {
    h->Carrier.reset();
  }
  h->StopShowAnimation();
  HintText = hint;

  const POINT shown = h->ShowPoint();
  const POINT p = shown.x != 0 && shown.y != 0 ? shown : POINT{rect.left, rect.top};
  const int w = rect.right - rect.left, ht = rect.bottom - rect.top;
  const RECT shadow = GetHintShadowSizes();
  rect = RECT{p.x - shadow.left, p.y - shadow.top, p.x - shadow.left + w, p.y - shadow.top + ht};

  HWND wnd = Handle();
  // The picture shows the text; the window keeps it as its own too, for
  // screen readers and other programs that read windows.
  SetWindowTextW(wnd, hint.c_str());
  SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_NOACTIVATE);
  SetBounds(rect.left, rect.top, w, ht);
  SetClassLongPtrW(wnd, GCL_STYLE, GetClassLongPtrW(wnd, GCL_STYLE) & ~ULONG_PTR(CS_DROPSHADOW));
  ShowWindow(wnd, SW_SHOWNOACTIVATE);

  // A skin bubble has no template picture: its own shadow bands count.
  const RECT placeShadow = SectionIndex >= 0  ? GetHintShadowSizes()
                           : CurrentHintImage ? CurrentHintImage->ShadowSizes().AsRect()
                                              : RECT{};
  Corner = PlaceOnMonitor(rect, p, h->DefaultCorner(), placeShadow, SectionIndex >= 0 ? hpmSkin : TemplatePlaceMode(),
                          HintWorkAreaLookup());
  if (SectionIndex < 0 && (Corner == hcLeftBottom || Corner == hcRightBottom) && !h->AutoAlignment())
    OffsetRect(&rect, 0, -16);
  rect.right = rect.left + w;
  rect.bottom = rect.top + ht;

  h->MeasureBmp = NewBitmap32(w, ht);
  h->TargetBounds = rect;
  if (!h->Carrier) {
    h->Carrier = CreateHintCarrier(this, rect);
  } else if (!h->Animated()) {
    h->Carrier->SetBounds(h->Carrier->Left(), h->Carrier->Top(), w, ht);
  }
  if (LayeredWindowsAvailable()) {
    if (h->Animated()) {
      StartShowAnimation(this, w, ht);
    } else {
      PrepareAlphaBmp(w, ht);
      HWND carrier = h->Carrier->Handle();
      SetLayeredBitmap(carrier, Picture.get(), 255, nullptr);
      ShowWindow(carrier, SW_SHOWNOACTIVATE);
      SetWindowPos(carrier, HWND_TOPMOST, rect.left, rect.top, w, ht,
                   SWP_NOOWNERZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
      h->PrevPicture = std::move(Picture);
    }
  }
  h->Activating = false;
  h->ProposedPos.x = -1;
  h->HintedControl = HintMouseControl();
  if (h->HintedControl) h->HintedControl->FreeNotification(h);
  StartHintHideTimer(h, 0);
}

void TacCustomHintWindow::PrepareAlphaBmp(int Width, int Height) {
  Picture = ClearedBitmap32(Width, Height);
  if (SectionIndex < 0) {
    PaintContent(*Picture);
    return;
  }
  TsAlphaHints* h = ActiveHints;
  SkinHasAlpha = HintSectionHasAlpha(SectionIndex);
  UpdateRegion();
  RenderBody(Width, Height);
  GdiFlush();  // the pixels are read directly next
  if (HintSectionIsBorderOnly(SectionIndex) || (h && h->SkinDrawsShadow)) {
    Picture = Copy32(*BodyCopy);
  } else {
    if (h && h->MeasureBmp) FillRect32(*h->MeasureBmp, RECT{0, 0, Width, Height}, 0xFFFFFF, 255);
    // Inside the shape the body is opaque (its text too, whatever GDI left in
    // the alpha), outside and on the key colour it is transparent black.
    for (int y = 0; y < Height; ++y) {
      auto* dst = static_cast<uint32_t*>(Picture->ScanLine(y));
      const auto* src = static_cast<const uint32_t*>(BodyCopy->ScanLine(y));
      const auto* mask = ShapeMask ? static_cast<const uint32_t*>(ShapeMask->ScanLine(y)) : nullptr;
      for (int x = 0; x < Width; ++x) {
        const bool outside = mask && (mask[x] & 0xFFFFFF) == 0xFFFFFF;
        dst[x] = outside || IsKeyColor(src[x]) ? 0 : (src[x] | 0xFF000000);
      }
    }
  }
  BodyCopy.reset();
}

void TacCustomHintWindow::RenderBody(int Width, int Height) {
  TsAlphaHints* h = ActiveHints;
  BodyCopy = ClearedBitmap32(Width, Height);
  PaintHintSkinBody(SectionIndex, RECT{0, 0, Width, Height}, *BodyCopy, SkinHasAlpha, h && h->SkinDrawsShadow);
  PaintContent(*BodyCopy);
}

void TacCustomHintWindow::UpdateRegion() {
  ShapeMask.reset();
  if (SkinHasAlpha || SectionIndex < 0) return;
  TsAlphaHints* h = ActiveHints;
  TBitmap* sized = Picture ? Picture.get() : h ? h->MeasureBmp.get() : nullptr;
  if (!sized || sized->Width() <= 0 || sized->Height() <= 0) return;
  ShapeMask = MakeShapeMask(SectionIndex, sized->Width(), sized->Height());
  // Without a loaded skin the mask is all body and the window keeps no region.
  if (IsTrackWindow() || !HandleAllocated() || !HintSkinData()) return;
  SetWindowRgn(HandleIfAllocated(), RegionFromShapeMask(*ShapeMask), TRUE);
}

void TacCustomHintWindow::PaintContent(TBitmap& Bmp) {
  TsAlphaHints* h = ActiveHints;
  RECT r{0, 0, h ? h->TargetBounds.right - h->TargetBounds.left : Bmp.Width(),
         h ? h->TargetBounds.bottom - h->TargetBounds.top : Bmp.Height()};
  const bool skinMode = SectionIndex >= 0;
  if (skinMode) {
    const RECT b = SkinBorderWidths();
    const int gap = HintContentGap();
    r = RECT{r.left + b.left + gap, r.top + b.top + gap, r.right - b.right - gap, r.bottom - b.bottom - gap};
  } else if (CurrentHintImage) {
    TacBordersSizes& m = CurrentHintImage->ClientMargins();
    r.left += m.Left();
    r.top += m.Top();
    r.right -= m.Right();
    r.bottom -= m.Bottom();
  }
  const String text = ShownText();
  if (h && h->OnPaint) {
    bool defaultDraw = true;
    h->OnPaint(h, text, h->LastHintInfo, r, Bmp, defaultDraw);
    if (!defaultDraw) return;
  }
  if (h && h->ContentFrame) {
    TForm* frame = h->ContentFrame;
    frame->SetBounds(r.left, r.top, frame->Width(), frame->Height());
    frame->PaintTo(Bmp.DC(), r.left, r.top);
    SetAlphaRect(Bmp, RECT{r.left, r.top, r.left + frame->Width(), r.top + frame->Height()}, 255);
    return;
  }
  const UINT align = h ? AlignmentFlag(h->TextAlignment()) : DT_CENTER;
  if (skinMode) {
    TFont font;
    SetHintFont(font, true);
    TSelectObject selected(Bmp.DC(), font.Handle());
    const bool own = h && h->FontOverride;
    const UINT flags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP | align;
    DrawSkinTextAlpha(Bmp, text, true, r, flags, own ? -1 : SectionIndex, 0, TsSkinManager::DefaultManager());
    return;
  }
  TCanvas canvas(Bmp.DC());
  SetHintFont(canvas.Font(), false);
  TColor color = CurrentTemplate ? CurrentTemplate->Font().Color() : clBlack;
  if ((color & clSystemColor) == clSystemColor) color = clBlack;
  canvas.Font().SetColor(color);
  canvas.SetBrushStyle(TBrushStyle::bsClear);
  DrawHintText(canvas, text, r, DT_NOPREFIX | DT_WORDBREAK | align, h && h->HTMLMode());
}

void TacCustomHintWindow::ReleaseBitmaps() {
  FBitmapsReleased = true;
  HintHidden(this);
  if (TsAlphaHints* h = ActiveHints) {
    h->ClearHintFrame();
    if (Picture) h->PrevPicture = std::move(Picture);
    if (h->OwnWindow == this) {
      h->OwnWindow = nullptr;
      h->OwnWindowHandle = nullptr;
    }
  }
  Picture.reset();
  ShapeMask.reset();
  BodyCopy.reset();
}

void TacCustomHintWindow::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SKINCOMMAND:
      switch (SkinCommandCode(m.WParam)) {
        case AC_ISSKINNED:
          m.Result = 1;
          return;
        case AC_GETBG: {
          auto* info = reinterpret_cast<TacBackgroundInfo*>(m.LParam);
          if (info) {
            info->OffsetX = info->OffsetY = 0;
            if (BodyCopy) {
              info->Bmp = BodyCopy.get();
              info->BgKind = bgkBitmap;
            } else {
              info->Bmp = nullptr;
              info->Color = uint32_t(ColorToRGB(Color()));
              info->BgKind = bgkColor;
            }
          }
          m.Result = 0;
          return;
        }
        default:
          break;
      }
      break;
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_NCPAINT:
      if (ActiveHints) UpdateRegion();
      m.Result = 1;
      return;
    case WM_DESTROY:
      if (!FBitmapsReleased) ReleaseBitmaps();
      break;
    default:
      break;
  }
  THintWindow::WndProc(m);
  TsAlphaHints* h = ActiveHints;
  switch (m.Msg) {
    case WM_MOVE:
    case WM_SIZE:
      if (h && !h->Activating && h->Carrier) {
        TForm& carrier = *h->Carrier;
        carrier.SetBounds(Left(), Top(), carrier.Width(), carrier.Height());
        h->TargetBounds = carrier.BoundsRect();
      }
      break;
    case WM_SHOWWINDOW:
      if (m.WParam == 0) {
        HintHidden(this);
      } else if (!IsTrackWindow()) {
        LastHintWindow = this;
      }
      break;
    default:
      break;
  }
}

// ---- TacPngHintWindow -------------------------------------------------------

POINT TacPngHintWindow::HintShowPoint() const {
  TsAlphaHints* h = ActiveHints;
  const POINT shown = h->ShowPoint();
  if (shown.x != 0 && shown.y != 0) return shown;
  if (h->ProposedPos.x != -1) return h->ProposedPos;
  POINT cursor{};
  GetCursorPos(&cursor);
  return cursor;
}

RECT TacPngHintWindow::CalcHintRect(int maxWidth, const String& hint, void* data) {
  TsAlphaHints* h = ActiveHints;
  if (!h) return TacCustomHintWindow::CalcHintRect(maxWidth, hint, data);
  SectionIndex = h->GetSkinIndex();
  if (SectionIndex >= 0) return TacCustomHintWindow::CalcHintRect(maxWidth, hint, data);
  h->SelectTemplateImage();
  const RECT text = MeasureText(hint);
  RECT r = Inflated(text, CurrentHintImage->ClientMargins());
  const POINT p = HintShowPoint();
  const RECT shadow = CurrentHintImage->ShadowSizes().AsRect();
  OffsetRect(&r, p.x - shadow.left, p.y - shadow.top);
  Corner = PlaceOnMonitor(r, p, h->DefaultCorner(), shadow, TemplatePlaceMode(), HintWorkAreaLookup());
  SelectCornerImage();
  return Inflated(text, CurrentHintImage->ClientMargins());
}

bool TacPngHintWindow::SelectCornerImage() {
  if (Corner == hcLeftTop || !CurrentTemplate || !ActiveHints) return true;
  TacHintImage* img = CornerImage(*CurrentTemplate, Corner);
  if (img->Image().Empty()) img->DecodeImgData();
  if (img->Image().Empty()) return true;
  CurrentHintImage = img;
  ActiveHints->AlignToControl();
  return true;
}

void TacPngHintWindow::PrepareAlphaBmp(int Width, int Height) {
  TsAlphaHints* h = ActiveHints;
  if (h && SectionIndex >= 0) return TacCustomHintWindow::PrepareAlphaBmp(Width, Height);
  FBitmapsReleased = false;
  if (!IsTrackWindow() && HandleAllocated()) SetWindowRgn(HandleIfAllocated(), nullptr, FALSE);
  Picture = ClearedBitmap32(Width, Height);
  if (CurrentTemplate && CurrentHintImage) {
    TacHintImage& img = *CurrentHintImage;
    if (img.Image().Empty()) img.DecodeImgData();
    if (!img.Image().Empty()) {
      const RECT borders = img.BordersWidths().AsRect();
      TacBorderDrawModes& modes = img.BorderDrawModes();
      const RECT edgeModes{LONG(modes.Left()), LONG(modes.Top()), LONG(modes.Right()), LONG(modes.Bottom())};
      StretchBitmapByMargins(*Picture, img.Image(), RECT{0, 0, Width, Height},
                             RECT{0, 0, img.ImageWidth(), img.ImageHeight()}, borders, borders, edgeModes,
                             modes.Center() == TacBorderDrawMode::dmStretch, true);
    }
  }
  auto body = Copy32(*Picture);
  if (h) {
    const TacHintCorner corner = Corner;
    h->SelectTemplateImage();
    if (h->DefaultCorner() != corner) SelectCornerImage();
  }
  PaintContent(*Picture);
  GdiFlush();  // the pixels are read directly next
  // GDI text clears the alpha it touches: the bubble's own alpha comes back.
  for (int y = 0; y < Height; ++y) {
    auto* dst = static_cast<uint32_t*>(Picture->ScanLine(y));
    auto* src = static_cast<const uint32_t*>(body->ScanLine(y));
    for (int x = 0; x < Width; ++x) dst[x] = (dst[x] & 0x00FFFFFF) | (src[x] & 0xFF000000);
  }
  PremultiplyAlpha(*Picture);
}

TacPngHintWindow::~TacPngHintWindow() {
  if (!FBitmapsReleased) TacPngHintWindow::ReleaseBitmaps();
}

void TacPngHintWindow::ReleaseBitmaps() {
  Picture.reset();
  if (ActiveHints) ActiveHints->PrevPicture.reset();
  TacCustomHintWindow::ReleaseBitmaps();
}

// ---- TacTrackHintWindow -----------------------------------------------------

TacTrackHintWindow::TacTrackHintWindow(TComponent* AOwner) : TacPngHintWindow(AOwner) {
  // The base made it the last hint window; a track window never is one.
  if (LastHintWindow == this) LastHintWindow = FPreviousLast;
}
