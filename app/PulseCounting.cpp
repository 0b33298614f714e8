// One rise of CTS is one payment: count it, log it, store it, announce it.
#include "app/AppState.h"
#include "app/Confirmation.h"
#include "app/CreditJournal.h"
#include "app/MainForm.h"
#include "app/SettingKeys.h"
#include "app/Waits.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"

#include <mmsystem.h>
#include <shellapi.h>

String TForm1::LogFileName() const { return sFilenameEditLogfile->Text(); }

void TForm1::ShowLamp(bool on) {
  ImgCTS->Picture().Assign((on ? ImgOn : ImgOff)->Picture());
  ImgCTS->Repaint();
}

void TForm1::SaveCredits() {
  // The id goes with the credits, so a crash never hands one out twice.
  for (const TSettingKey& key : SettingKeys())
    if (key.Count) Data->Lines().SetValues(key.Name, key.Saved(*this));
  WriteDataFile();
}

void TForm1::TakeUnsavedPayments(const std::optional<FILETIME>& dataSavedAt) {
  // Only the line-per-payment log carries ids.
  if (cbLogOnlyTotal->Checked() || cbLogOnlyTotalPure->Checked()) return;
  const String logFile = LogFileName();
  if (!FileExists(logFile)) return;
  TUnsavedPayments past;
  try {
    past = ReadUnsavedPayments(logFile, App.CashId, dataSavedAt);
  } catch (const Exception&) {
    return;  // a log that cannot be read now says nothing about payments
  }
  if (past.Count == 0) return;
  const int32_t firstId = WrappingAdd(App.CashId, 1);
  App.CashId = past.LastId;
  Label_ID->SetCaption(IntToStr(App.CashId));
  App.Credits = WrappingAdd(App.Credits, past.Sum);
  LabelCredits->SetCaption(IntToStr(App.Credits));
  MemoLog->Lines().Add(L"Taken from the log, not saved before the program stopped: IDs " + IntToStr(firstId) + L" to " +
                       IntToStr(past.LastId) + L", credits +" + IntToStr(past.Sum) + L".");
  SaveCredits();
}

bool TForm1::AnotherPaymentWaiting() {
  // Not when the next payment reads the log's first line, nor when the
  // program started for this one may read the log.
  return !cbCheckLogSize->Checked() && !cbExecute->Checked() && KelvraAdapter->RiseWaiting(csCTS);
}

void TForm1::KelvraAdapterCTSChange(TObject*, bool OnOff) {
  ShowLamp(OnOff);
  if (!OnOff || FPortSettling) return;

  const String logFile = LogFileName();
  if (cbCheckLogSize->Checked()) {
    // An outside program that empties the log, or sets it to "0", resets the credits.
    if (!FileExists(logFile)) {
      App.Credits = 0;
    } else {
      MemoTemp->Lines().SetText(FirstLineOf(logFile));
      const String first = MemoTemp->Lines().Count() > 0 ? Trim(MemoTemp->Lines().Get(0)) : String();
      if (first.empty() || first == L"0") App.Credits = 0;
    }
  }
  const String pulseText = PulseValue->Text();
  App.Credits = WrappingAdd(App.Credits, static_cast<int32_t>(PulseValue->Value()));
  LabelCredits->SetCaption(IntToStr(App.Credits));
  App.CashId = WrappingAdd(App.CashId, 1);
  Label_ID->SetCaption(IntToStr(App.CashId));

  if (cbLogOnlyTotal->Checked() || cbLogOnlyTotalPure->Checked()) {
    WriteTotalLog(pulseText);
    SaveCredits();
  } else if (AnotherPaymentWaiting()) {
    // Its handler writes this line with its own and saves the counters of
    // both: under a burst of pulses the files cost one write, not one each.
    FLog->HoldLine(logFile, CreditLogLine(App.CashId, DateToStr(), TimeToStr(), pulseText));
  } else {
    FLog->AppendLine(logFile, CreditLogLine(App.CashId, DateToStr(), TimeToStr(), pulseText));
    SaveCredits();
  }

  if (cbPlaySound->Checked()) PlaySoundW(MAKEINTRESOURCEW(1), GetModuleHandleW(nullptr), SND_RESOURCE | SND_ASYNC);
  if (cbExecute->Checked()) {
    const String program = sFilenameEditExecute->FileName();
    ShellExecuteW(Application->Handle(), L"open", program.c_str(), pulseText.c_str(), L"", SW_SHOWNORMAL);
  }
  Sleep(2);  // every payment ends with this rest: it is part of the pacing of payments the port has always had
}

void TForm1::WriteTotalLog(const String& PulseText) {
  const String logFile = LogFileName();
  String line;
  if (cbLogOnlyTotalPure->Checked())
    line = IntToStr(App.Credits);
  else
    // The previous total is what the file holds now: another program may have reset it.
    line = NextTenthsTotal(FirstLineOf(logFile), PulseText);
  FLog->Replace(logFile, {line});
}

void TForm1::Btn_ClearIDClick(TObject*) {
  App.CashId = 0;
  Label_ID->SetCaption(L"0");
  SaveSettings();
}

void TForm1::Btn_ClearCreditsClick(TObject*) {
  App.Credits = 0;
  LabelCredits->SetCaption(L"0");
  SaveSettings();
}

void TForm1::BtnClearLogClick(TObject*) { FLog->Replace(LogFileName(), {}); }

void TForm1::MemoLogDblClick(TObject*) {
  // Closing the program while the question is open must not clear anything.
  if (!ConfirmedByOk(L"Clear the ID, CREDITS and LOGFILE?")) return;
  Btn_ClearID->Click();
  Btn_ClearCredits->Click();
  BtnClearLog->Click();
}
