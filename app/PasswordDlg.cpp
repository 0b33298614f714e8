#include "app/PasswordDlg.h"

#include "app/MainForm.h"
#include "app/FormBuilding.h"
#include "app/ShellFolders.h"
#include "framework/Application.h"

TFormPasswordDlg* FormPasswordDlg = nullptr;

namespace {

constexpr UINT kAutoCloseMs = 20000;
// Where Cancel parks the pointer: the lower right corner of the screen.
constexpr int kPointerParking = 4000;
// Where the keyboard opens, relative to the dialog's top-left corner.
constexpr int kKeyboardOffsetX = -64;
constexpr int kKeyboardOffsetY = 190;

// The dialog's buttons act on the press and leave the focus in the password
// field, where the digit pad and the pop-up keyboard type.
template <class TBase>
class TPressing : public TBase {
 public:
  using TBase::TBase;

 protected:
  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
        this->MouseDown(m.Msg == WM_RBUTTONDOWN   ? TMouseButton::mbRight
                        : m.Msg == WM_MBUTTONDOWN ? TMouseButton::mbMiddle
                                                  : TMouseButton::mbLeft,
                        KeysToShiftState(m.WParam), LParamX(m.LParam), LParamY(m.LParam));
        m.Result = 0;
        return;
    }
    TBase::WndProc(m);
  }
};
using TPressButton = TPressing<TsButton>;
using TPressBitBtn = TPressing<TsBitBtn>;

void CentreOnScreen(TForm* form) {
  form->SetBounds(GetSystemMetrics(SM_CXSCREEN) / 2 - form->Width() / 2,
                  GetSystemMetrics(SM_CYSCREEN) / 2 - form->Height() / 2, form->Width(), form->Height());
}

// Brought to the top, the dialog is also activated; dropped, it is left alone.
void SetTopmost(TForm* form, bool topmost) { SetWindowTopmost(form->Handle(), topmost, topmost); }

}  // namespace

bool ServicePasswordMatches(const String& entry, const String& servicePassword) {
  return UpperCase(entry) == UpperCase(servicePassword);
}

TFormPasswordDlg::TFormPasswordDlg(TComponent* owner) : TForm(owner) {
  SetName(L"FormPasswordDlg");
  FormPasswordDlg = this;
  Build();
}

TFormPasswordDlg::~TFormPasswordDlg() {
  if (FormPasswordDlg == this) FormPasswordDlg = nullptr;
}

void TFormPasswordDlg::DoCreate() {
  TForm::DoCreate();
  FComplete = true;
}

void TFormPasswordDlg::Build() {
  SetCaption(L"Service");
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons(0);
  SetPosition(TPosition::poDesigned);
  SetClientSize(473, 311);

  GroupBox1 = Place<TsPanel>(this, this, L"GroupBox1", 0, 0, 473, 311);
  GroupBox1->SetAlign(TAlign::alClient);
  GroupBox1->SetBevelOuter(TBevelCut::bvLowered);
  GroupBox1->SetShowCaption(false);

  Label1 = Place<TsLabel>(this, GroupBox1, L"Label1", 24, 18, 0, 0);
  Label1->Font().SetName(L"Arial");
  Label1->Font().SetHeight(-19);
  Label1->SetCaption(L"Please enter password:");

  sEditPassword = Place<TsEdit>(this, GroupBox1, L"sEditPassword", 24, 56, 263, 24);
  sEditPassword->SetPasswordChar(L'#');
  sEditPassword->Font().SetStyle(fsBold);
  sEditPassword->SetColor(clWhite);
  sEditPassword->SetTabStop(true);

  OKBtn = Place<TPressButton>(this, GroupBox1, L"OKBtn", 300, 48, 82, 37);
  OKBtn->SetCaption(L"OK");
  OKBtn->Font().SetName(L"Arial");
  OKBtn->Font().SetHeight(-13);
  OKBtn->Font().SetStyle(fsBold);
  OKBtn->SetModalResult(mrOk);
  CancelBtn = Place<TPressButton>(this, GroupBox1, L"CancelBtn", 300, 94, 82, 37);
  CancelBtn->SetCaption(L"Cancel");
  CancelBtn->SetModalResult(mrCancel);
  CancelBtn->SetCancel(true);

  sBitBtn_Keyboard = Place<TPressBitBtn>(this, GroupBox1, L"sBitBtn_Keyboard", 394, 48, 56, 37);
  sBitBtn_Keyboard->SetHint(L"Open virtual keyboard");
  sBitBtn_Keyboard->SetShowHint(true);
  if (HANDLE picture = LoadImageW(GetModuleHandleW(nullptr), L"KEYBOARD", IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS))
    sBitBtn_Keyboard->Glyph().SetBitmap(static_cast<HBITMAP>(picture));

  // The digit pad: 1 to 5 above 6 to 0.
  TsButton** digits[] = {&Btn_1, &Btn_2, &Btn_3, &Btn_4, &Btn_5, &Btn_6, &Btn_7, &Btn_8, &Btn_9, &Btn_0};
  for (int i = 0; i < 10; ++i) {
    const String digit = IntToStr((i + 1) % 10);
    TsButton* b = Place<TPressButton>(this, GroupBox1, (L"Btn_" + digit).c_str(), 24 + (i % 5) * 63, 148 + (i / 5) * 73,
                                      59, 69);
    b->SetCaption(digit);
    b->Font().SetName(L"Arial");
    b->Font().SetHeight(-19);
    b->OnMouseDown = [this](TObject* s, TMouseButton mb, TShiftState sh, int x, int y) {
      DigitMouseDown(s, mb, sh, x, y);
    };
    *digits[i] = b;
  }

  KbPopupTouchKeyBoard_Service = new TKbPopupTouchKeyBoard(this);
  KbPopupTouchKeyBoard_Service->SetName(L"KbPopupTouchKeyBoard_Service");
  KbPopupTouchKeyBoard_Service->SetKeyboardType(TKeyboardType::ktQWERTY);

  TimerAutoClose = new TTimer(this);
  TimerAutoClose->SetName(L"TimerAutoClose");
  TimerAutoClose->SetEnabled(false);
  TimerAutoClose->SetInterval(kAutoCloseMs);

  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  GroupBox1->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { GroupBox1MouseMove(s, sh, x, y); };
  sEditPassword->OnChange = [this](TObject* s) { sEditPasswordChange(s); };
  sEditPassword->OnKeyPress = [this](TObject* s, wchar_t& k) { sEditPasswordKeyPress(s, k); };
  OKBtn->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    OKBtnMouseDown(s, b, sh, x, y);
  };
  CancelBtn->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    CancelBtnMouseDown(s, b, sh, x, y);
  };
  sBitBtn_Keyboard->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    sBitBtn_KeyboardMouseDown(s, b, sh, x, y);
  };
  TimerAutoClose->OnTimer = [this](TObject* s) { TimerAutoCloseTimer(s); };
}

void TFormPasswordDlg::RestartAutoClose() {
  TimerAutoClose->SetEnabled(false);
  TimerAutoClose->SetInterval(kAutoCloseMs);
  TimerAutoClose->SetEnabled(true);
}

void TFormPasswordDlg::FormShow(TObject*) {
  CentreOnScreen(this);
  SetTopmost(this, true);
  ForceForegroundWindow(Handle());
  sEditPassword->SetText(L"");
  sEditPassword->SetFocus();
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
  RestartAutoClose();
}

void TFormPasswordDlg::DigitMouseDown(TObject* Sender, TMouseButton, TShiftState, int, int) {
  auto* button = static_cast<TButton*>(Sender);
  sEditPassword->SetText(sEditPassword->Text() + button->Caption());
}

void TFormPasswordDlg::sBitBtn_KeyboardMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  // Not topmost, so the keyboard's tool window can float above the dialog.
  SetTopmost(this, false);
  KbPopupTouchKeyBoard_Service->HideKeyboard();
  KbPopupTouchKeyBoard_Service->ShowKeyboardAt(Left() + kKeyboardOffsetX, Top() + kKeyboardOffsetY);
  if (!sEditPassword->Focused()) sEditPassword->SetFocus();
  RestartAutoClose();
}

void TFormPasswordDlg::OKBtnMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  if (!ServicePasswordMatches(sEditPassword->Text(), Form1->sEditServicePassword->Text())) {
    sEditPassword->SetText(L"");
    sEditPassword->SetFocus();
    RestartAutoClose();
    return;
  }
  TimerAutoClose->SetEnabled(false);
  SetVisible(false);
  Application->ProcessMessages();
  Application->SetShowMainForm(true);
  Form1->SetVisible(false);
  CentreOnScreen(Form1);
  Form1->SetVisible(true);
  SetTopmost(Form1, true);
  Application->ProcessMessages();
  Close();
}

void TFormPasswordDlg::sEditPasswordKeyPress(TObject*, wchar_t& Key) {
  if (Key != L'\r') return;
  Key = 0;
  OKBtnMouseDown(OKBtn, TMouseButton::mbLeft, 0, 1, 1);
}

void TFormPasswordDlg::CancelBtnMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  SetVisible(false);
  SetCursorPos(kPointerParking, kPointerParking);
  Close();
}

void TFormPasswordDlg::TimerAutoCloseTimer(TObject*) {
  TimerAutoClose->SetEnabled(false);
  Close();
}

void TFormPasswordDlg::sEditPasswordChange(TObject*) { RestartAutoClose(); }

void TFormPasswordDlg::GroupBox1MouseMove(TObject*, TShiftState, int, int) { RestartAutoClose(); }

void TFormPasswordDlg::FormClose(TObject*, TCloseAction&) {
  TimerAutoClose->SetEnabled(false);
  KbPopupTouchKeyBoard_Service->HideKeyboard();
  SetVisible(false);
}
