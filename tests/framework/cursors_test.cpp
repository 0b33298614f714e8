// The cursor a control shows over its client area: its own, a window-less
// child's, or, for crDefault, the one of the window beneath or its class.
#include "framework/Application.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

namespace {

class Cursors : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitApplication(); }
  void SetUp() override {
    form = new TForm(Application, CreateNew);
    form->SetBounds(100, 100, 320, 200);
    label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 100, 40);
    label->SetCaption(L"label");
    edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 100, 100, 24);
    form->Show();
  }
  void TearDown() override {
    delete form;
    SetCursorPos(0, 0);
  }
  // Puts the real cursor at a client point of a control; the framework looks
  // for the control under it there.
  static void MoveOver(TControl* control, POINT client) {
    const POINT p = control->ClientToScreen(client);
    SetCursorPos(p.x, p.y);
    ASSERT_TRUE(WaitUntil([&] {
      POINT now{};
      return GetCursorPos(&now) && now.x == p.x && now.y == p.y;
    }));
  }
  static HCURSOR System(const wchar_t* id) { return LoadCursorW(nullptr, id); }

  TForm* form = nullptr;
  TLabel* label = nullptr;
  TEdit* edit = nullptr;
};

TEST_F(Cursors, WmSetCursorShowsTheCursorOfTheControlUnderTheMouse) {
  struct TCase {
    const char* Name;
    bool OverEdit;  // else over the label when OverLabel, else over the bare form
    bool OverLabel;
    TCursor FormCursor, LabelCursor, EditCursor;
    const wchar_t* Expected;
  };
  const TCase cases[] = {
      {"bare form keeps its class arrow", false, false, crDefault, crHandPoint, crDefault, IDC_ARROW},
      {"bare form with a hand", false, false, crHandPoint, crDefault, crDefault, IDC_HAND},
      {"label's own cursor", false, true, crIBeam, crHandPoint, crDefault, IDC_HAND},
      {"label without one shows the form's", false, true, crIBeam, crDefault, crDefault, IDC_IBEAM},
      {"edit without one keeps its class cursor", true, false, crHandPoint, crDefault, crDefault, IDC_IBEAM},
      {"edit's own cursor", true, false, crDefault, crDefault, crHandPoint, IDC_HAND},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    form->SetCursor(c.FormCursor);
    label->SetCursor(c.LabelCursor);
    edit->SetCursor(c.EditCursor);
    HWND wnd = form->Handle();
    if (c.OverEdit) {
      MoveOver(edit, POINT{50, 12});
      wnd = edit->Handle();
    } else {
      MoveOver(form, c.OverLabel ? POINT{60, 30} : POINT{200, 60});
    }
    ::SetCursor(nullptr);
    SendMessageW(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), System(c.Expected));
  }
}

TEST_F(Cursors, ACursorChangedUnderTheRestingMouseShowsAtOnce) {
  MoveOver(form, POINT{60, 30});
  ::SetCursor(nullptr);
  label->SetCursor(crHandPoint);
  EXPECT_EQ(GetCursor(), System(IDC_HAND));
  label->SetCursor(crDefault);
  EXPECT_EQ(GetCursor(), System(IDC_ARROW));
}

TEST_F(Cursors, AWindowlessChildThatIsNotHitLeavesTheMouseToItsParent) {
  // Answers CM_HITTEST with 0 as a control does that lets the mouse through.
  const TWndMethod saved = label->WindowProc;
  label->WindowProc = [saved](TMessage& m) {
    if (m.Msg == CM_HITTEST) {
      m.Result = 0;
      return;
    }
    saved(m);
  };
  label->SetCursor(crHandPoint);
  int labelDowns = 0, formDowns = 0;
  label->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++labelDowns; };
  form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++formDowns; };
  const POINT over = form->ScreenToClient(label->ClientToScreen(POINT{50, 20}));
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(over.x, over.y));
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(over.x, over.y));
  EXPECT_EQ(labelDowns, 0);
  EXPECT_EQ(formDowns, 1);

  MoveOver(label, POINT{50, 20});
  EXPECT_EQ(ControlAtPos(label->ClientToScreen(POINT{50, 20})), form);
  ::SetCursor(nullptr);
  SendMessageW(form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form->Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), System(IDC_ARROW));
}

}  // namespace
