// Storing and loading the port's settings, group by group, as text values.
#include "framework/IniFile.h"
#include "framework/Registry.h"
#include "serial/ComPort.h"

namespace {

const wchar_t* const kBaudTexts[] = {L"Custom", L"110",    L"300",    L"600",   L"1200",  L"2400",
                                     L"4800",   L"9600",   L"14400",  L"19200", L"38400", L"56000",
                                     L"57600",  L"115200", L"128000", L"256000"};
const wchar_t* const kStopTexts[] = {L"1", L"1.5", L"2"};
const wchar_t* const kDataTexts[] = {L"5", L"6", L"7", L"8"};
const wchar_t* const kParityTexts[] = {L"None", L"Odd", L"Even", L"Mark", L"Space"};
const wchar_t* const kFlowTexts[] = {L"Hardware", L"Software", L"None", L"Custom"};
const wchar_t* const kRtsTexts[] = {L"Disable", L"Enable", L"Handshake", L"Toggle"};
const wchar_t* const kDtrTexts[] = {L"Disable", L"Enable", L"Handshake"};

template <size_t N>
int Find(const wchar_t* const (&texts)[N], const String& text, int noMatch) {
  const String upper = UpperCase(text);
  for (size_t i = 0; i < N; ++i)
    if (UpperCase(texts[i]) == upper) return int(i);
  return noMatch;
}

String BoolText(bool b) { return b ? L"Yes" : L"No"; }
bool TextBool(const String& s) { return UpperCase(s) == L"YES"; }

String CharText(char c) {
  const auto code = static_cast<unsigned char>(c);
  if (code <= 32) return L"#" + IntToStr(code);
  return AnsiToString(AnsiString(1, c));
}

char TextChar(const String& s) {
  if (s.empty()) return 0;
  if (s[0] == L'#' && s.size() > 1) {
    try {
      return char(StrToInt(s.substr(1)));
    } catch (const EConvertError&) {
      return 0;
    }
  }
  const AnsiString a = StringToAnsi(s.substr(0, 1));
  return a.empty() ? 0 : a[0];
}

// Where the values go: an ini section or the registry's current key. A read
// gets the present value's text (or number) as its default.
class TSettingsPlace {
 public:
  virtual ~TSettingsPlace() = default;
  virtual void WriteString(const String& key, const String& value) = 0;
  virtual void WriteInteger(const String& key, int value) = 0;
  virtual String ReadString(const String& key, const String& present) = 0;
  virtual int ReadInteger(const String& key, int present) = 0;
};

class TIniPlace final : public TSettingsPlace {
 public:
  TIniPlace(TCustomIniFile& ini, const String& section) : FIni(ini), FSection(section) {}
  void WriteString(const String& key, const String& value) override { FIni.WriteString(FSection, key, value); }
  void WriteInteger(const String& key, int value) override { FIni.WriteInteger(FSection, key, value); }
  String ReadString(const String& key, const String& present) override {
    return FIni.ReadString(FSection, key, present);
  }
  int ReadInteger(const String& key, int present) override { return FIni.ReadInteger(FSection, key, present); }

 private:
  TCustomIniFile& FIni;
  String FSection;
};

class TRegistryPlace final : public TSettingsPlace {
 public:
  explicit TRegistryPlace(TRegistry& reg) : FReg(reg) {}
  void WriteString(const String& key, const String& value) override { FReg.WriteString(key, value); }
  void WriteInteger(const String& key, int value) override { FReg.WriteInteger(key, value); }
  // A missing value reads as empty text; a missing number raises.
  String ReadString(const String& key, const String&) override { return FReg.ReadString(key); }
  int ReadInteger(const String& key, int) override { return FReg.ReadInteger(key); }

 private:
  TRegistry& FReg;
};

void Store(TCustomComPort& p, TSettingsPlace& to) {
  const TStoredComGroups g = p.StoredGroups();
  const TComFlowControl& fc = p.FlowControl();
  if (g & sgBasic) {
    to.WriteString(L"Port", p.Port());
    to.WriteString(L"BaudRate", kBaudTexts[p.BaudRate()]);
    if (p.BaudRate() == brCustom) to.WriteInteger(L"CustomBaudRate", int(p.CustomBaudRate()));
    to.WriteString(L"StopBits", kStopTexts[p.StopBits()]);
    to.WriteString(L"DataBits", kDataTexts[p.DataBits()]);
    to.WriteString(L"Parity", kParityTexts[p.Parity().Bits()]);
    to.WriteString(L"FlowControl", kFlowTexts[fc.FlowControl()]);
  }
  if (g & sgOthers) {
    to.WriteString(L"EventChar", CharText(p.EventChar()));
    to.WriteString(L"DiscardNull", BoolText(p.DiscardNull()));
  }
  if (g & sgParity) {
    to.WriteString(L"Parity.Check", BoolText(p.Parity().Check()));
    to.WriteString(L"Parity.Replace", BoolText(p.Parity().Replace()));
    to.WriteString(L"Parity.ReplaceChar", CharText(p.Parity().ReplaceChar()));
  }
  if (g & sgBuffer) {
    to.WriteInteger(L"Buffer.OutputSize", p.Buffer().OutputSize());
    to.WriteInteger(L"Buffer.InputSize", p.Buffer().InputSize());
  }
  if (g & sgTimeouts) {
    const TComTimeouts& t = p.Timeouts();
    to.WriteInteger(L"Timeouts.ReadInterval", t.ReadInterval());
    to.WriteInteger(L"Timeouts.ReadTotalConstant", t.ReadTotalConstant());
    to.WriteInteger(L"Timeouts.ReadTotalMultiplier", t.ReadTotalMultiplier());
    to.WriteInteger(L"Timeouts.WriteTotalConstant", t.WriteTotalConstant());
    to.WriteInteger(L"Timeouts.WriteTotalMultiplier", t.WriteTotalMultiplier());
  }
  if (g & sgFlowControl) {
    to.WriteString(L"FlowControl.ControlRTS", kRtsTexts[fc.ControlRTS()]);
    to.WriteString(L"FlowControl.ControlDTR", kDtrTexts[fc.ControlDTR()]);
    to.WriteString(L"FlowControl.DSRSensitivity", BoolText(fc.DSRSensitivity()));
    to.WriteString(L"FlowControl.OutCTSFlow", BoolText(fc.OutCTSFlow()));
    to.WriteString(L"FlowControl.OutDSRFlow", BoolText(fc.OutDSRFlow()));
    to.WriteString(L"FlowControl.TxContinueOnXoff", BoolText(fc.TxContinueOnXoff()));
    to.WriteString(L"FlowControl.XonXoffIn", BoolText(fc.XonXoffIn()));
    to.WriteString(L"FlowControl.XonXoffOut", BoolText(fc.XonXoffOut()));
    to.WriteString(L"FlowControl.XoffChar", CharText(fc.XoffChar()));
    to.WriteString(L"FlowControl.XonChar", CharText(fc.XonChar()));
  }
}

void Load(TCustomComPort& p, TSettingsPlace& from) {
  const TStoredComGroups g = p.StoredGroups();
  TComFlowControl& fc = p.FlowControl();
  const auto readBool = [&](const String& key, bool present) {
    return TextBool(from.ReadString(key, BoolText(present)));
  };
  const auto readChar = [&](const String& key, char present) {
    return TextChar(from.ReadString(key, CharText(present)));
  };
  if (g & sgBasic) {
    p.SetPort(from.ReadString(L"Port", p.Port()));
    p.SetBaudRate(TBaudRate(Find(kBaudTexts, from.ReadString(L"BaudRate", kBaudTexts[p.BaudRate()]), br9600)));
    if (p.BaudRate() == brCustom) p.SetCustomBaudRate(DWORD(from.ReadInteger(L"CustomBaudRate", 9600)));
    p.SetStopBits(TStopBits(Find(kStopTexts, from.ReadString(L"StopBits", kStopTexts[p.StopBits()]), sbOneStopBit)));
    p.SetDataBits(TDataBits(Find(kDataTexts, from.ReadString(L"DataBits", kDataTexts[p.DataBits()]), dbEight)));
    p.Parity().SetBits(
        TParityBits(Find(kParityTexts, from.ReadString(L"Parity", kParityTexts[p.Parity().Bits()]), prNone)));
    fc.SetFlowControl(
        TFlowControl(Find(kFlowTexts, from.ReadString(L"FlowControl", kFlowTexts[fc.FlowControl()]), fcCustom)));
  }
  if (g & sgOthers) {
    p.SetEventChar(readChar(L"EventChar", p.EventChar()));
    p.SetDiscardNull(readBool(L"DiscardNull", p.DiscardNull()));
  }
  if (g & sgParity) {
    p.Parity().SetCheck(readBool(L"Parity.Check", p.Parity().Check()));
    p.Parity().SetReplace(readBool(L"Parity.Replace", p.Parity().Replace()));
    p.Parity().SetReplaceChar(readChar(L"Parity.ReplaceChar", p.Parity().ReplaceChar()));
  }
  if (g & sgBuffer) {
    p.Buffer().SetOutputSize(from.ReadInteger(L"Buffer.OutputSize", p.Buffer().OutputSize()));
    p.Buffer().SetInputSize(from.ReadInteger(L"Buffer.InputSize", p.Buffer().InputSize()));
  }
  if (g & sgTimeouts) {
    TComTimeouts& t = p.Timeouts();
    t.SetReadInterval(from.ReadInteger(L"Timeouts.ReadInterval", t.ReadInterval()));
    t.SetReadTotalConstant(from.ReadInteger(L"Timeouts.ReadTotalConstant", t.ReadTotalConstant()));
    t.SetReadTotalMultiplier(from.ReadInteger(L"Timeouts.ReadTotalMultiplier", t.ReadTotalMultiplier()));
    t.SetWriteTotalConstant(from.ReadInteger(L"Timeouts.WriteTotalConstant", t.WriteTotalConstant()));
    t.SetWriteTotalMultiplier(from.ReadInteger(L"Timeouts.WriteTotalMultiplier", t.WriteTotalMultiplier()));
  }
  if (g & sgFlowControl) {
    fc.SetControlRTS(TRTSFlowControl(
        Find(kRtsTexts, from.ReadString(L"FlowControl.ControlRTS", kRtsTexts[fc.ControlRTS()]), rtsDisable)));
    fc.SetControlDTR(TDTRFlowControl(
        Find(kDtrTexts, from.ReadString(L"FlowControl.ControlDTR", kDtrTexts[fc.ControlDTR()]), dtrDisable)));
    fc.SetDSRSensitivity(readBool(L"FlowControl.DSRSensitivity", fc.DSRSensitivity()));
    fc.SetOutCTSFlow(readBool(L"FlowControl.OutCTSFlow", fc.OutCTSFlow()));
    fc.SetOutDSRFlow(readBool(L"FlowControl.OutDSRFlow", fc.OutDSRFlow()));
    fc.SetTxContinueOnXoff(readBool(L"FlowControl.TxContinueOnXoff", fc.TxContinueOnXoff()));
    fc.SetXonXoffIn(readBool(L"FlowControl.XonXoffIn", fc.XonXoffIn()));
    fc.SetXonXoffOut(readBool(L"FlowControl.XonXoffOut", fc.XonXoffOut()));
    fc.SetXoffChar(readChar(L"FlowControl.XoffChar", fc.XoffChar()));
    fc.SetXonChar(readChar(L"FlowControl.XonChar", fc.XonChar()));
  }
}

}  // namespace

void TCustomComPort::StoreIniFile(TCustomIniFile& ini) {
  TIniPlace place(ini, Name());
  Store(*this, place);
}

void TCustomComPort::StoreRegistry(TRegistry& reg) {
  TRegistryPlace place(reg);
  Store(*this, place);
}

void TCustomComPort::LoadIniFile(TCustomIniFile& ini) {
  TIniPlace place(ini, Name());
  Load(*this, place);
}

void TCustomComPort::LoadRegistry(TRegistry& reg) {
  TRegistryPlace place(reg);
  Load(*this, place);
}
