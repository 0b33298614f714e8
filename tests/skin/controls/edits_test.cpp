// The skinned edits, memo and spin edit: the value rules of the spin edit on
// all 64 bits (typing, pasting, keys, wheel and buttons), the skinned face
// of password and placeholder edits, the text margins, the mask edit's
// validation on exit and the memo's colours and Ctrl+A.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "skin/graphics/Bitmap32.h"
#include "skin/controls/SkinnedEdit.h"
#include "skin/controls/SkinnedMaskEdit.h"
#include "skin/controls/SkinnedMemo.h"
#include "skin/controls/SkinnedSpinEdit.h"
#include "skin/graphics/FontMetrics.h"
#include "skin/manager/SkinData.h"
#include "tests/skin/manager/support/night_manager.h"
#include "tests/skin/support/text_skin.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Pixel (x, y) of a cache as a colour value (red in the low byte).
uint32_t Pixel(TBitmap& bmp, int x, int y) { return GetPixel(bmp.DC(), x, y); }

const char* const kSkin =
    "[GLOBALINFO]\r\nVERSION=12.50\r\n"
    "[EDIT]\r\nSTATES=2\r\nCOLOR=$00203040\r\nFONTCOLOR=$00F0E0D0\r\n"
    "HOTCOLOR=$00405060\r\nHOTFONTCOLOR=$00A0B0C0\r\n";

class Edits : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr, CreateNew);
    form->SetBounds(100, 100, 400, 300);
  }
  void TearDown() override { form.reset(); }
  void Skin() {
    SetCursorPos(0, 0);  // a cursor resting on a control would make it hot
    manager = TextSkinManager(L"Edits", kSkin);
    manager->SetActive(true);
  }

  template <class T>
  T* Add(int left = 10, int top = 10, int width = 120, int height = 24) {
    T* c = new T(form.get());
    c->SetBounds(left, top, width, height);
    c->SetParent(form.get());
    return c;
  }
  void SetClipboardText(const wchar_t* text) {
    ASSERT_TRUE(OpenClipboard(form->Handle()));
    EmptyClipboard();
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(mem), text, bytes);
    GlobalUnlock(mem);
    SetClipboardData(CF_UNICODETEXT, mem);
    CloseClipboard();
  }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
};

struct LimitCase {
  int64_t Min, Max;
  bool AllowNegative;
  int64_t In, Out;
};

TEST_F(Edits, SpinValueKeepsToItsLimitsOnAll64Bits) {
  const int64_t kBig = 9000000000LL;
  const LimitCase cases[] = {
      {0, 0, true, -5, -5},         // equal limits: none at all
      {0, 0, false, -5, 0},         // ... but no negatives
      {0, 100, true, 150, 100},     // a limit of 0 is no limit on its side
      {0, 100, true, -3, -3},       //
      {0, 100, false, -3, 0},       //
      {10, 0, true, 5, 10},         //
      {10, 0, true, 10000, 10000},  //
      {1, 10, true, 50, 10},        //
      {0, kBig, true, kBig + 1, kBig},
      {-kBig, 0, true, -kBig - 1, -kBig},
      {0, 0, true, INT64_MAX, INT64_MAX},
  };
  auto* spin = Add<TsSpinEdit>();
  for (const LimitCase& c : cases) {
    spin->SetMinValue(c.Min);
    spin->SetMaxValue(c.Max);
    spin->SetAllowNegative(c.AllowNegative);
    spin->SetValue(c.In);
    EXPECT_EQ(spin->Value(), c.Out) << c.Min << ".." << c.Max << " " << c.In;
  }
}

TEST_F(Edits, SpinTextReadsAsAValue) {
  auto* spin = Add<TsSpinEdit>();
  const struct {
    const wchar_t* Text;
    int64_t Min, Value;
  } cases[] = {{L"", 7, 0}, {L"abc", 7, 7}, {L"-12", 0, -12}, {L"12345678901", 0, 12345678901LL}};
  for (const auto& c : cases) {
    spin->SetMinValue(c.Min);
    spin->SetText(c.Text);
    EXPECT_EQ(spin->Value(), c.Value) << StringToUtf8(c.Text);
  }
}

TEST_F(Edits, LeavingTheSpinEditMendsSignsAndLimits) {
  auto* spin = Add<TsSpinEdit>();
  form->Show();
  for (const wchar_t* sign : {L"+", L"-", L"+0", L"-0"}) {
    spin->SetText(sign);
    spin->Perform(CM_EXIT);
    EXPECT_EQ(spin->Text(), L"0") << StringToUtf8(sign);
  }
  spin->SetMaxValue(100);
  spin->SetText(L"250");
  spin->Perform(CM_EXIT);
  EXPECT_EQ(spin->Text(), L"100");
}

TEST_F(Edits, SpinStepsByKeysWheelAndNotWhenReadOnly) {
  auto* spin = Add<TsSpinEdit>();
  spin->SetIncrement(5);
  form->Show();
  spin->SetValue(20);
  SendMessageW(spin->Handle(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(spin->Value(), 25);
  SendMessageW(spin->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(spin->Value(), 20);
  SendMessageW(spin->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), 0);
  EXPECT_EQ(spin->Value(), 15);
  SendMessageW(spin->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 240), 0);
  EXPECT_EQ(spin->Value(), 25);
  // A step past the end of the range stops at the end.
  spin->SetIncrement(INT64_MAX);
  spin->SetValue(INT64_MAX - 1);
  SendMessageW(spin->Handle(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(spin->Value(), INT64_MAX);
  spin->SetReadOnly(true);
  spin->SetValue(3);
  SendMessageW(spin->Handle(), WM_KEYDOWN, VK_UP, 0);
  SendMessageW(spin->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  EXPECT_EQ(spin->Value(), 3);
}

TEST_F(Edits, SpinPasteKeepsA64BitValueAndUndoesAnythingElse) {
  auto* spin = Add<TsSpinEdit>();
  form->Show();
  const struct {
    const wchar_t* Pasted;
    int64_t Max;
    const wchar_t* Text;
  } cases[] = {
      {L"9000000000", 0, L"9000000000"},     // beyond 32 bits, kept
      {L"-9000000000", 0, L"-9000000000"},   //
      {L"12abc", 0, L"42"},                  // no number: undone
      {L"99999999999999999999", 0, L"42"},   // beyond 64 bits: undone
      {L"5000000000", 4000000000LL, L"42"},  // beyond the limit: undone
  };
  for (const auto& c : cases) {
    spin->SetMaxValue(c.Max);
    spin->SetText(L"42");
    SetClipboardText(c.Pasted);
    spin->SelectAll();
    SendMessageW(spin->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(spin->Text(), c.Text) << StringToUtf8(c.Pasted);
  }
  spin->SetEditorEnabled(false);
  SetClipboardText(L"7");
  spin->SelectAll();
  SendMessageW(spin->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(spin->Text(), L"42");
}

TEST_F(Edits, SpinRefusesCharactersItCannotHold) {
  auto* spin = Add<TsSpinEdit>();
  form->Show();
  const struct {
    bool AllowNegative;
    int64_t Min;
    wchar_t Key;
    bool Taken;
  } cases[] = {{true, 0, L'7', true},   {true, 0, L'x', false}, {true, 0, L'-', true},
               {false, 0, L'-', false}, {true, 5, L'-', false}, {true, 0, L'+', true}};
  for (const auto& c : cases) {
    spin->SetAllowNegative(c.AllowNegative);
    spin->SetMinValue(c.Min);
    spin->SetText(L"");
    SendMessageW(spin->Handle(), WM_CHAR, c.Key, 0);
    EXPECT_EQ(spin->Text().size(), c.Taken ? 1u : 0u) << char(c.Key);
  }
  // A sign typed after the number replaces the sign in front.
  spin->SetAllowNegative(true);
  spin->SetMinValue(0);
  spin->SetText(L"-12");
  SendMessageW(spin->Handle(), EM_SETSEL, 3, 3);
  SendMessageW(spin->Handle(), WM_CHAR, L'+', 0);
  EXPECT_EQ(spin->Text(), L"+12");
}

TEST_F(Edits, ReturnAndTabGoToTheNamedNeighbours) {
  auto* prev = Add<TsEdit>(10, 10, 100, 24);
  auto* spin = Add<TsSpinEdit>(10, 50, 100, 24);
  auto* next = Add<TsEdit>(10, 90, 100, 24);
  spin->SetNextTabControl(next);
  spin->SetPrevTabControl(prev);
  form->Show();
  BYTE keys[256];
  const struct {
    WORD Key;
    bool Shift;
    TWinControl* Target;
  } cases[] = {{VK_RETURN, false, next}, {VK_TAB, false, next}, {VK_RETURN, true, prev}, {VK_TAB, true, prev}};
  for (const auto& c : cases) {
    spin->SetFocus();
    GetKeyboardState(keys);
    keys[VK_SHIFT] = c.Shift ? 0x80 : 0;
    SetKeyboardState(keys);
    SendMessageW(spin->Handle(), WM_KEYDOWN, c.Key, 0);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_TRUE(c.Target->Focused()) << c.Key << " " << c.Shift;
  }
}

TEST_F(Edits, SelectionChangesAreTold) {
  auto* edit = Add<TsEdit>();
  edit->SetText(L"abcdef");
  form->Show();
  int told = 0;
  edit->OnSelChange = [&](TObject*) { ++told; };
  SendMessageW(edit->Handle(), EM_SETSEL, 0, 0);
  SendMessageW(edit->Handle(), WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(told, 1);
  SendMessageW(edit->Handle(), WM_KEYDOWN, VK_END, 0);  // already there
  EXPECT_EQ(told, 1);
}

TEST_F(Edits, ControlsOfAFormBeingBuiltAreSkinnedAndFilledWhenItIsDone) {
  Skin();
  auto* built = new TForm(nullptr);  // loading until FinishCreate
  std::unique_ptr<TForm> owner(built);
  built->SetBounds(100, 100, 300, 200);
  auto* spin = new TsSpinEdit(built);
  spin->SetBounds(10, 10, 100, 24);
  spin->SetParent(built);
  auto* edit = new TsEdit(built);
  edit->SetBounds(10, 50, 100, 24);
  edit->SetParent(built);
  spin->SetValue(5);  // not written while the form is read
  EXPECT_EQ(spin->Text(), L"");
  built->FinishCreate();
  EXPECT_EQ(spin->Text(), L"0");
  built->Show();
  EXPECT_TRUE(spin->SkinData()->IsSkinned());
  EXPECT_TRUE(edit->SkinData()->IsSkinned());
  spin->SetValue(5);
  EXPECT_EQ(spin->Value(), 5);
}

TEST_F(Edits, ControlsMadeInCodeTakeSectionAndColoursOnceTheirWindowExists) {
  Skin();
  form->Show();
  auto* edit = Add<TsEdit>(10, 10);
  auto* mask = Add<TacCustomMaskEdit>(10, 40);
  auto* memo = Add<TsMemo>(10, 70, 120, 60);
  for (TWinControl* c : std::initializer_list<TWinControl*>{edit, mask, memo}) c->HandleNeeded();
  EXPECT_TRUE(edit->SkinData()->IsSkinned());
  EXPECT_TRUE(mask->SkinData()->IsSkinned());
  EXPECT_TRUE(memo->SkinData()->IsSkinned());
  // The focused edit's text is the system's, in these colours.
  for (TWinControl* e : std::initializer_list<TWinControl*>{edit, mask}) {
    EXPECT_EQ(e->Color(), TColor(0x203040));
    EXPECT_EQ(e->Font().Color(), TColor(0xF0E0D0));
  }
}

TEST_F(Edits, HeldSpinButtonRepeatsAndStepsOnceMoreOnRelease) {
  auto* spin = Add<TsSpinEdit>(10, 10, 120, 24);
  form->Show();
  spin->SetValue(0);
  const RECT up = spin->SpinButtonRect(true);
  RECT w;
  GetWindowRect(spin->Handle(), &w);
  POINT p{w.left + (up.left + up.right) / 2, w.top + (up.top + up.bottom) / 2};
  // The repeat asks where the cursor is: it rests on the button.
  SetCursorPos(p.x, p.y);
  ScreenToClient(spin->Handle(), &p);
  const LPARAM at = MAKELPARAM(p.x, p.y);

  // A short click steps once, on release.
  SendMessageW(spin->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  EXPECT_EQ(spin->Value(), 0);
  EXPECT_EQ(spin->UpState(), 2);
  SendMessageW(spin->Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(spin->Value(), 1);

  SendMessageW(spin->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ASSERT_TRUE(WaitUntil([&] { return spin->Value() >= 4; }));
  SendMessageW(spin->Handle(), WM_LBUTTONUP, 0, at);
  const int64_t released = spin->Value();
  PumpFor(200);
  EXPECT_EQ(spin->Value(), released);  // no step after the release
  EXPECT_EQ(spin->UpState(), 1);
}

TEST_F(Edits, PasswordFaceShowsOneCharacterPerLetter) {
  Skin();
  auto* secret = Add<TsEdit>(10, 10, 120, 24);
  auto* plain = Add<TsEdit>(10, 50, 120, 24);
  secret->SetPasswordChar(L'#');
  secret->SetText(L"abcde");
  plain->SetText(L"#####");
  form->Show();
  ASSERT_TRUE(secret->SkinData()->IsSkinned());
  ASSERT_TRUE(secret->BuildCache());
  ASSERT_TRUE(plain->BuildCache());
  TBitmap& a = *secret->SkinData()->CacheBmp;
  TBitmap& b = *plain->SkinData()->CacheBmp;
  int differing = 0, inked = 0;
  const uint32_t face = Pixel(a, 60, 2);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 120; ++x) {
      differing += Pixel(a, x, y) != Pixel(b, x, y);
      inked += Pixel(a, x, y) != face;
    }
  EXPECT_EQ(differing, 0);
  EXPECT_GT(inked, 20);
}

TEST_F(Edits, TextHintShowsDimmedOnlyWhileEmpty) {
  Skin();
  auto* hinted = Add<TsEdit>(10, 10, 120, 24);
  auto* bare = Add<TsEdit>(10, 50, 120, 24);
  hinted->SetTextHint(L"Password");
  form->Show();
  auto inkOf = [](TsEdit* e, uint32_t& colour) {
    e->SkinData()->BGChanged = true;
    EXPECT_TRUE(e->BuildCache());
    TBitmap& bmp = *e->SkinData()->CacheBmp;
    const uint32_t face = Pixel(bmp, 60, 12);
    int ink = 0;
    const RECT r = e->GetTextRect();
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (const uint32_t p = Pixel(bmp, x, y); p != face) ++ink, colour = p;
    return ink;
  };
  uint32_t colour = 0, unused = 0;
  EXPECT_EQ(inkOf(bare, unused), 0);
  EXPECT_GT(inkOf(hinted, colour), 10);
  // Mixed into the face: never the full font colour.
  EXPECT_NE(colour, 0xF0E0D0u);
  hinted->SetText(L"x");
  uint32_t textColour = 0;
  const int textInk = inkOf(hinted, textColour);
  EXPECT_GT(textInk, 0);
  EXPECT_LT(textInk, inkOf(bare, unused) + 200);
}

TEST_F(Edits, VerticalCentreSplitsTheSpareHeightTowardZero) {
  auto* edit = Add<TsEdit>(10, 10, 120, 41);
  form->Show();
  const int line = FontLineHeight(edit->Font().Handle(), false);
  for (int height : {41, 40, line - 3}) {
    edit->SetBounds(10, 10, 120, height);
    edit->SetVerticalAlignment(TVerticalAlignment::taAlignTop);
    edit->SetVerticalAlignment(TVerticalAlignment::taVerticalCenter);
    const int d = (height - line) / 2;
    EXPECT_EQ(edit->TextMargins().top, d) << height;
    EXPECT_EQ(edit->TextMargins().bottom, d) << height;
  }
  edit->SetVerticalAlignment(TVerticalAlignment::taAlignBottom);
  EXPECT_EQ(edit->TextMargins().top, edit->Height() - line);
}

TEST_F(Edits, PaddingFollowsTheDensity) {
  manager = TextSkinManager(L"Edits", kSkin);  // not active: only its density counts
  manager->Options().SetScaleMode(TacScaleMode::smCustomPPI);
  manager->Options().SetPixelsPerInch(144);
  auto* edit = Add<TsEdit>(10, 10, 120, 30);
  form->Show();
  edit->SetPadding(TacPadding{2, 2, 2, 2});
  const RECT m = edit->TextMargins();
  EXPECT_EQ(m.left, 3);
  EXPECT_EQ(m.top, 3);
  EXPECT_EQ(m.right, 3);
  EXPECT_EQ(m.bottom, 3);
  // The system lays its text out inside the margins.
  RECT client;
  GetClientRect(edit->Handle(), &client);
  EXPECT_EQ(client.right, 120 - 2 * 2 - 2 * 3);
}

TEST_F(Edits, EditAnswersItsTextRectangle) {
  auto* edit = Add<TsEdit>(10, 10, 120, 24);
  edit->SetPadding(TacPadding{3, 0, 5, 0});
  form->Show();
  RECT r{};
  TMessage m{WM_SKINCOMMAND, SkinCommandWParam(AC_GETEDITRECT), reinterpret_cast<LPARAM>(&r), 0};
  edit->WindowProc(m);
  EXPECT_EQ(m.Result, 1);
  EXPECT_EQ(r.left, 2 + 1 + 3);
  EXPECT_EQ(r.right, 120 - 2 - 1 - 5);
}

TEST_F(Edits, BorderStyleAndCtl3DSetTheBorderAndTheTextRectangle) {
  auto* edit = Add<TsEdit>(10, 10, 120, 24);
  auto* mask = Add<TacCustomMaskEdit>(10, 40, 120, 24);
  auto* spin = Add<TsSpinEdit>(10, 70, 120, 24);
  spin->SetShowSpinButtons(false);
  form->Show();
  struct Inset {
    int border, left, top, right, bottom;
  };
  const struct {
    TBorderStyle style;
    bool ctl3d;
    Inset plain, masked;  // the spin edit follows the plain edit
  } cases[] = {
      // The plain edit keeps a pixel of space inside a border, the mask edit
      // family draws one pixel more frame instead.
      {TBorderStyle::bsSingle, true, {2, 3, 3, 3, 2}, {3, 3, 3, 3, 3}},
      {TBorderStyle::bsSingle, false, {1, 2, 2, 2, 1}, {2, 2, 2, 2, 2}},
      {TBorderStyle::bsNone, true, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    for (TCustomEdit* e : std::initializer_list<TCustomEdit*>{edit, mask, spin}) {
      e->SetBorderStyle(c.style);
      e->SetCtl3D(c.ctl3d);
    }
    auto check = [&](const char* kind, int border, RECT r, const Inset& want) {
      SCOPED_TRACE(testing::Message() << kind << " bsSingle " << (c.style == TBorderStyle::bsSingle) << " ctl3d "
                                      << c.ctl3d);
      EXPECT_EQ(border, want.border);
      EXPECT_EQ(r.left, want.left);
      EXPECT_EQ(r.top, want.top);
      EXPECT_EQ(r.right, 120 - want.right);
      EXPECT_EQ(r.bottom, 24 - want.bottom);
    };
    check("edit", edit->EditBorderWidth(), edit->GetTextRect(), c.plain);
    check("spin", spin->EditBorderWidth(), spin->GetTextRect(), c.plain);
    check("mask", mask->EditBorderWidth(), mask->GetTextRect(), c.masked);
  }
}

TEST_F(Edits, FocusedMaskEditKeepsItsThirdFramePixelFromTheSection) {
  // A plain section frame three pixels wide in a colour of its own, in both
  // the normal and the focused state.
  SetCursorPos(0, 0);
  manager = TextSkinManager(L"Framed edits",
                            "[GLOBALINFO]\r\nVERSION=12.50\r\n"
                            "[EDIT]\r\nSTATES=2\r\nCOLOR=$00203040\r\nHOTCOLOR=$00405060\r\nBORDERWIDTH=3\r\n"
                            "BORDERCOLOR0=$000000C0\r\nBORDERCOLOR1=$000000C0\r\n");
  manager->SetActive(true);
  auto* edit = Add<TacCustomMaskEdit>(10, 10, 120, 24);
  auto* other = Add<TsEdit>(10, 50, 120, 24);
  form->Show();
  other->SetFocus();
  edit->SetFocus();
  ASSERT_TRUE(edit->SkinData()->IsSkinned());
  ASSERT_EQ(edit->EditBorderWidth(), 3);
  auto shown = [&](int x, int y) {
    HDC dc = GetWindowDC(edit->Handle());
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(edit->Handle(), dc);
    return c;
  };
  const COLORREF frame = RGB(0xC0, 0, 0);
  // Focused, the system edit paints its client area, which begins inside
  // its two-pixel edge; the skin's frame comes back over its first column.
  ASSERT_TRUE(edit->Focused());
  RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_TRUE(WaitUntil([&] { return shown(2, 12) == frame; })) << std::hex << shown(2, 12);
  EXPECT_EQ(shown(1, 12), frame);
}

// The colour of a section's state as the skin gives it.
TColor SectionColor(TsSkinManager& m, const wchar_t* name, int state) {
  return TColor(m.SkinData()->GeneralDataArray[m.GetSectionIndex(name)].Props[state].Color);
}

TEST_F(Edits, NightSkinPaintsTheEditAndSpinButtonsFromTheirSections) {
  manager = NightManager();
  manager->SetSkinName(L"Night (internal)");
  manager->SetActive(true);
  ASSERT_TRUE(manager->IsSkinLoaded());
  auto* edit = Add<TsEdit>(10, 10, 120, 24);
  auto* spin = Add<TsSpinEdit>(10, 50, 120, 24);
  spin->SetText(L"");
  form->Show();
  UpdateWindow(form->Handle());
  ASSERT_TRUE(edit->SkinData()->IsSkinned());
  // The window shows the face: read it back from the screen.
  HDC screen = GetDC(edit->Handle());
  const COLORREF shown = GetPixel(screen, 80, 10);
  ReleaseDC(edit->Handle(), screen);
  EXPECT_EQ(shown, COLORREF(SectionColor(*manager, L"EDIT", 0)));

  // The up button turns hot under the mouse.
  const RECT up = spin->SpinButtonRect(true);
  RECT w;
  GetWindowRect(spin->Handle(), &w);
  POINT client{w.left + (up.left + up.right) / 2, w.top + (up.top + up.bottom) / 2};
  ScreenToClient(spin->Handle(), &client);
  SendMessageW(spin->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
  EXPECT_EQ(spin->UpState(), 1);
  SendMessageW(spin->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(spin->UpState(), 0);
}

TEST_F(Edits, HintBecomesTheLabelOnFocusAndGoesWhenLeftEmpty) {
  Skin();
  auto* edit = Add<TsEdit>(80, 10, 120, 24);
  auto* other = Add<TsEdit>(80, 50, 120, 24);
  edit->SetTextHint(L"Password");
  edit->SetLabelFromTextHint(true);
  form->Show();
  other->SetFocus();
  edit->SetFocus();
  ASSERT_TRUE(edit->BoundLabel()->Active());
  other->SetFocus();
  EXPECT_FALSE(edit->BoundLabel()->Active());
  // With a text the hint stays put.
  edit->SetText(L"x");
  edit->SetFocus();
  EXPECT_FALSE(edit->BoundLabel()->Active());
}

TEST_F(Edits, ClickOnTheAddedGlyphFiresOnClickWithoutMovingTheCaret) {
  TCustomImageList list(nullptr);
  list.SetWidth(16);
  list.SetHeight(16);
  std::unique_ptr<TBitmap> image = NewBitmap32(16, 16);
  list.Add(image.get(), nullptr);
  auto* edit = Add<TsEdit>(10, 10, 140, 24);
  edit->AddedGlyph()->SetImages(&list);
  edit->AddedGlyph()->SetImageIndex(0);
  edit->SetText(L"some text");
  int clicks = 0;
  edit->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  ASSERT_TRUE(edit->HasAddedGlyph());
  SendMessageW(edit->Handle(), EM_SETSEL, 4, 4);
  const RECT g = edit->GetGlyphRect();
  RECT w;
  GetWindowRect(edit->Handle(), &w);
  const LPARAM at = MAKELPARAM(w.left + (g.left + g.right) / 2, w.top + (g.top + g.bottom) / 2);
  const LRESULT hit = SendMessageW(edit->Handle(), WM_NCHITTEST, 0, at);
  EXPECT_EQ(hit, HTBORDER);
  SendMessageW(edit->Handle(), WM_NCLBUTTONDOWN, hit, at);
  SendMessageW(edit->Handle(), WM_NCLBUTTONUP, hit, at);
  EXPECT_EQ(clicks, 1);
  DWORD start = 0, end = 0;
  SendMessageW(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 4u);
  // Beside the glyph the edit is the system's, text and caret.
  EXPECT_EQ(SendMessageW(edit->Handle(), WM_NCHITTEST, 0, MAKELPARAM(w.left + 100, w.top + 12)), HTCLIENT);
  // The glyph takes its area off the text.
  EXPECT_GE(edit->GetTextRect().left, g.right);
  edit->AddedGlyph()->SetImages(nullptr);
}

class TCheckedEdit : public TacCustomMaskEdit {
 public:
  using TacCustomMaskEdit::TacCustomMaskEdit;
  void ValidateEdit() override {
    ++Checks;
    if (Text() == L"bad") throw EDBEditError(L"not a code");
  }
  int Checks = 0;
};

TEST_F(Edits, MaskEditTellsARefusedTextAndRaisesAgain) {
  auto* edit = Add<TCheckedEdit>();
  String told;
  edit->OnValidateError = [&](TObject*, const String& msg) { told = msg; };
  edit->SetText(L"good");
  edit->Perform(CM_EXIT);
  EXPECT_EQ(edit->Checks, 1);
  EXPECT_TRUE(told.empty());
  edit->SetText(L"bad");
  EXPECT_THROW(edit->Perform(CM_EXIT), EDBEditError);
  EXPECT_EQ(told, L"not a code");
  edit->SetCheckOnExit(false);
  edit->Perform(CM_EXIT);
  EXPECT_EQ(edit->Checks, 2);
}

TEST_F(Edits, MemoTakesTheSectionColourOfItsFocusState) {
  Skin();
  auto* memo = Add<TsMemo>(10, 10, 200, 100);
  auto* other = Add<TsEdit>(10, 150, 100, 24);
  form->Show();
  ASSERT_TRUE(memo->SkinData()->IsSkinned());
  UpdateWindow(memo->Handle());
  EXPECT_EQ(memo->Color(), TColor(0x00203040));
  EXPECT_EQ(memo->Font().Color(), TColor(0x00F0E0D0));
  memo->SetFocus();
  InvalidateRect(memo->Handle(), nullptr, TRUE);
  UpdateWindow(memo->Handle());
  EXPECT_EQ(memo->Color(), TColor(0x00405060));
  other->SetFocus();
  InvalidateRect(memo->Handle(), nullptr, TRUE);
  UpdateWindow(memo->Handle());
  EXPECT_EQ(memo->Color(), TColor(0x00203040));
}

TEST_F(Edits, RemovingTheSkinGivesTheControlsTheirOwnLookBack) {
  Skin();
  auto* memo = Add<TsMemo>(10, 10, 200, 100);
  auto* edit = Add<TsEdit>(10, 150, 100, 24);
  const TColor ownColor = memo->Color(), ownFont = memo->Font().Color();
  form->Show();
  UpdateWindow(memo->Handle());
  ASSERT_EQ(memo->Color(), TColor(0x00203040));
  manager->SetActive(false);
  EXPECT_FALSE(memo->SkinData()->IsSkinned());
  EXPECT_FALSE(edit->SkinData()->IsSkinned());
  UpdateWindow(memo->Handle());
  EXPECT_EQ(memo->Color(), ownColor);
  EXPECT_EQ(memo->Font().Color(), ownFont);
  // The edit is the system's again: its face is the window colour.
  UpdateWindow(edit->Handle());
  HDC dc = GetDC(edit->Handle());
  const COLORREF face = GetPixel(dc, 80, 8);
  ReleaseDC(edit->Handle(), dc);
  EXPECT_EQ(face, GetSysColor(COLOR_WINDOW));
}

TEST_F(Edits, UnskinnedSpinDrawsItsArrowsInItsFrame) {
  auto* spin = Add<TsSpinEdit>(10, 10, 120, 24);
  form->Show();
  RedrawWindow(spin->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  const RECT up = spin->SpinButtonRect(true);
  HDC dc = GetWindowDC(spin->Handle());
  const COLORREF back = GetSysColor(COLOR_WINDOW), ink = GetSysColor(COLOR_WINDOWTEXT);
  int face = 0, arrow = 0;
  for (int y = up.top; y < up.bottom; ++y)
    for (int x = up.left; x < up.right; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      face += c == back;
      arrow += c == ink;
    }
  ReleaseDC(spin->Handle(), dc);
  const int area = (up.right - up.left) * (up.bottom - up.top);
  EXPECT_GT(face, area / 2);
  EXPECT_GE(arrow, 3);
  // The text stops before the buttons.
  RECT client;
  GetClientRect(spin->Handle(), &client);
  EXPECT_LE(client.right, up.left);
}

TEST_F(Edits, LogMemoKeepsItsLinesAndSkinAcrossANewWindow) {
  Skin();
  auto* memo = Add<TsMemo>(10, 10, 200, 100);
  memo->SetReadOnly(true);
  memo->Lines().Add(L"first");
  form->Show();
  memo->SetScrollBars(TScrollStyle::ssBoth);  // a new window
  memo->SetWordWrap(false);
  for (int i = 0; i < 50; ++i) memo->Lines().Add(L"line " + IntToStr(i));
  UpdateWindow(memo->Handle());
  EXPECT_TRUE(memo->SkinData()->IsSkinned());
  EXPECT_EQ(memo->Color(), TColor(0x00203040));
  ASSERT_EQ(memo->Lines().Count(), 51);
  EXPECT_EQ(memo->Lines().Get(50), L"line 49");
  EXPECT_EQ(SendMessageW(memo->Handle(), EM_GETLINECOUNT, 0, 0), 51);
  const LONG style = GetWindowLongW(memo->Handle(), GWL_STYLE);
  EXPECT_TRUE((style & WS_VSCROLL) && (style & WS_HSCROLL));
}

TEST_F(Edits, CtrlAInAReadOnlyMemoSelectsAllAndLeavesNoCharacter) {
  auto* memo = Add<TsMemo>(10, 10, 200, 100);
  memo->SetReadOnly(true);
  memo->Lines().Add(L"first");
  memo->Lines().Add(L"second");
  form->Show();
  memo->SetFocus();
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  PostMessageW(memo->Handle(), WM_CHAR, 1, 0);  // what TranslateMessage makes of Ctrl+A
  SendMessageW(memo->Handle(), WM_KEYDOWN, 'A', 0);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  DWORD start = 1, end = 0;
  SendMessageW(memo->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, DWORD(GetWindowTextLengthW(memo->Handle())));
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, memo->Handle(), WM_CHAR, WM_CHAR, PM_NOREMOVE));
}

}  // namespace
