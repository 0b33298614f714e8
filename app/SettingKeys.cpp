#include "app/SettingKeys.h"

#include "app/AppState.h"
#include "app/MainForm.h"

#include <algorithm>

namespace {

String Flag(const TsCheckBox* box) { return box->Checked() ? L"1" : L"0"; }
// A box is only ever checked from the file: any other value leaves it as designed.
void CheckWhenSet(TsCheckBox* box, const String& value) {
  if (value == L"1") box->SetChecked(true);
}

template <TsCheckBox* TForm1::*Box>
constexpr TSettingKey FlagKey(const wchar_t* name, int repairAt, bool opensPort = false) {
  return {name,
          TSettingKind::Flag,
          L"0",
          repairAt,
          false,
          opensPort,
          [](const TForm1& f) { return Flag(f.*Box); },
          [](TForm1& f, const String& v) { CheckWhenSet(f.*Box, v); }};
}

// The repair's positions keep the order its key list always had, so the
// files it writes look as they always did.
const TSettingKey kKeys[] = {
    {L"comport", TSettingKind::Number, L"1", 0, false, false, [](const TForm1&) { return IntToStr(App.ComPortNumber); },
     [](TForm1& f, const String& v) {
       App.ComPortNumber = StrToInt(v);
       f.ComboBoxCOM->SetItemIndex(App.ComPortNumber - 1);
     }},
    {L"channel1", TSettingKind::Number, L"1", 1, false, false,
     [](const TForm1& f) { return IntToStr(f.PulseValue->Value()); },
     [](TForm1& f, const String& v) { f.PulseValue->SetValue(StrToInt(v)); }},
    // Checking "poll" opens the port, so it comes after the port number and
    // the blocking, and after the log view is filled, which shows its errors.
    FlagKey<&TForm1::cbPoll>(L"poll", 2, true),
    FlagKey<&TForm1::cbTotalblocking>(L"totalblocking", 3),
    {L"credits", TSettingKind::Number, L"0", 6, true, false, [](const TForm1&) { return IntToStr(App.Credits); },
     [](TForm1& f, const String& v) {
       App.Credits = StrToInt(v);
       f.LabelCredits->SetCaption(IntToStr(App.Credits));
     }},
    {L"cashid", TSettingKind::Number, L"0", 5, true, false, [](const TForm1&) { return IntToStr(App.CashId); },
     [](TForm1& f, const String& v) {
       App.CashId = StrToInt(v);
       f.Label_ID->SetCaption(IntToStr(App.CashId));
     }},
    FlagKey<&TForm1::cbPlaySound>(L"playsound", 4),
    {L"log", TSettingKind::Text, L"", 7, false, false, [](const TForm1& f) { return f.sFilenameEditLogfile->Text(); },
     [](TForm1& f, const String& v) { f.ShowLogFile(v); }},
    FlagKey<&TForm1::cbLogOnlyTotal>(L"logtotal", 8),
    FlagKey<&TForm1::cbLogOnlyTotalPure>(L"logtotalpure", 9),
    FlagKey<&TForm1::cbCheckLogSize>(L"checklogsize", 11),
    FlagKey<&TForm1::cbAutostartOnBoot>(L"autostartonboot", 10),
    FlagKey<&TForm1::cbExecute>(L"execute", 12),
    {L"executefile", TSettingKind::Text, L"", -1, false, false,
     [](const TForm1& f) { return f.sFilenameEditExecute->FileName(); },
     [](TForm1& f, const String& v) {
       if (FileExists(v)) f.sFilenameEditExecute->SetFileName(v);
     }},
    {L"pass", TSettingKind::Text, L"", 13, false, false, [](const TForm1& f) { return f.sEditServicePassword->Text(); },
     [](TForm1& f, const String& v) { f.sEditServicePassword->SetText(v); }},
};

}  // namespace

std::span<const TSettingKey> SettingKeys() { return kKeys; }

std::vector<String> RepairedKeys() {
  std::vector<const TSettingKey*> repaired;
  for (const TSettingKey& key : kKeys)
    if (key.RepairPosition >= 0) repaired.push_back(&key);
  std::sort(repaired.begin(), repaired.end(),
            [](const TSettingKey* a, const TSettingKey* b) { return a->RepairPosition < b->RepairPosition; });
  std::vector<String> names;
  for (const TSettingKey* key : repaired) names.push_back(key->Name);
  return names;
}

bool Readable(const TSettingKey& key, const String& value) {
  int number = 0;
  switch (key.Kind) {
    case TSettingKind::Number:
      return TryStrToInt(value, number);
    case TSettingKind::Flag:
      return value == L"0" || value == L"1";
    case TSettingKind::Text:
      return true;
  }
  return false;
}

String SettingValue(const TStrings& data, const TSettingKey& key) {
  const String value = data.Values(key.Name);
  return Readable(key, value) ? value : String(key.Default);
}
