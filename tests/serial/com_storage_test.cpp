// Storing and loading the port's settings in ini files and the registry.
#include "framework/IniFile.h"
#include "framework/Registry.h"
#include "framework/StringList.h"
#include "serial/ComPort.h"

#include <gtest/gtest.h>

namespace {

String Text(const TMemIniFile& ini) {
  TStringList lines;
  ini.GetStrings(lines);
  return lines.Text();
}

class ComStorage : public testing::Test {
 protected:
  ComStorage() { Port.SetName(L"Validator"); }
  TComPort Port{nullptr};
  TMemIniFile Ini;
};

TEST_F(ComStorage, BasicGroupAloneWritesTheSevenBasicKeys) {
  Port.SetBaudRate(brCustom);
  Port.SetCustomBaudRate(31250);
  Port.StoreIniFile(Ini);
  EXPECT_EQ(Text(Ini),
            L"[Validator]\r\nPort=COM1\r\nBaudRate=Custom\r\nCustomBaudRate=31250\r\nStopBits=1\r\n"
            L"DataBits=8\r\nParity=None\r\nFlowControl=None\r\n\r\n");
  TComPort back(nullptr);
  back.SetName(L"Validator");
  back.LoadIniFile(Ini);
  EXPECT_EQ(back.BaudRate(), brCustom);
  EXPECT_EQ(back.CustomBaudRate(), 31250u);
}

TEST_F(ComStorage, EveryGroupRoundTrips) {
  Port.SetStoredGroups(0x3F);
  Port.SetPort(L"COM4");
  Port.SetStopBits(sbOne5StopBits);
  Port.SetDataBits(dbSeven);
  Port.SetEventChar('A');
  Port.SetDiscardNull(true);
  Port.Parity().SetBits(prMark);
  Port.Parity().SetCheck(true);
  Port.Parity().SetReplaceChar('#');
  Port.Buffer().SetOutputSize(4096);
  Port.Timeouts().SetReadTotalConstant(77);
  Port.FlowControl().SetControlDTR(dtrEnable);
  Port.FlowControl().SetOutDSRFlow(true);
  Port.StoreIniFile(Ini);
  EXPECT_EQ(Ini.ReadString(L"Validator", L"FlowControl.XonChar", L""), L"#17");
  EXPECT_EQ(Ini.ReadString(L"Validator", L"EventChar", L""), L"A");
  EXPECT_EQ(Ini.ReadString(L"Validator", L"DiscardNull", L""), L"Yes");
  EXPECT_EQ(Ini.ReadString(L"Validator", L"StopBits", L""), L"1.5");

  TComPort back(nullptr);
  back.SetName(L"Validator");
  back.SetStoredGroups(0x3F);
  back.LoadIniFile(Ini);
  EXPECT_EQ(back.Port(), L"COM4");
  EXPECT_EQ(back.StopBits(), sbOne5StopBits);
  EXPECT_EQ(back.DataBits(), dbSeven);
  EXPECT_EQ(back.EventChar(), 'A');
  EXPECT_TRUE(back.DiscardNull());
  EXPECT_EQ(back.Parity().Bits(), prMark);
  EXPECT_TRUE(back.Parity().Check());
  EXPECT_EQ(back.Parity().ReplaceChar(), '#');
  EXPECT_EQ(back.Buffer().OutputSize(), 4096);
  EXPECT_EQ(back.Timeouts().ReadTotalConstant(), 77);
  EXPECT_EQ(back.FlowControl().ControlDTR(), dtrEnable);
  EXPECT_TRUE(back.FlowControl().OutDSRFlow());
  EXPECT_EQ(back.FlowControl().XonChar(), 17);
}

TEST_F(ComStorage, TextsAreReadLeniently) {
  struct Case {
    const wchar_t* key;
    const wchar_t* text;
    std::function<bool(TComPort&)> check;
  };
  const Case cases[] = {
      {L"BaudRate", L"115200", [](TComPort& p) { return p.BaudRate() == br115200; }},
      {L"BaudRate", L"fast", [](TComPort& p) { return p.BaudRate() == br9600; }},
      {L"Parity", L"even", [](TComPort& p) { return p.Parity().Bits() == prEven; }},
      {L"FlowControl.XonXoffIn", L"yes", [](TComPort& p) { return p.FlowControl().XonXoffIn(); }},
      {L"FlowControl.XonXoffIn", L"1", [](TComPort& p) { return !p.FlowControl().XonXoffIn(); }},
      {L"EventChar", L"#", [](TComPort& p) { return p.EventChar() == '#'; }},
      {L"EventChar", L"#x", [](TComPort& p) { return p.EventChar() == 0; }},
      {L"EventChar", L"#13", [](TComPort& p) { return p.EventChar() == 13; }},
      {L"FlowControl.ControlRTS", L"handshake",
       [](TComPort& p) { return p.FlowControl().ControlRTS() == rtsHandshake; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << String(c.key).size() << " " << std::string(c.text, c.text + wcslen(c.text)));
    TComPort port(nullptr);
    port.SetName(L"P");
    port.SetStoredGroups(0x3F);
    TMemIniFile ini;
    ini.WriteString(L"P", c.key, c.text);
    port.LoadIniFile(ini);
    EXPECT_TRUE(c.check(port));
  }
}

TEST_F(ComStorage, AMissingKeyLeavesThePropertyAlone) {
  Port.SetStoredGroups(sgFlowControl);
  Port.FlowControl().SetOutDSRFlow(true);
  Ini.WriteString(L"Validator", L"FlowControl.ControlDTR", L"Enable");
  Port.LoadIniFile(Ini);
  EXPECT_TRUE(Port.FlowControl().OutDSRFlow());
  EXPECT_EQ(Port.FlowControl().ControlDTR(), dtrEnable);
}

TEST_F(ComStorage, RegistryRoundTrip) {
  const String key = L"Software\\KelvraTests\\SerialStorage";
  TRegistry reg;
  reg.DeleteKey(key);
  ASSERT_TRUE(reg.OpenKey(key, true));
  Port.SetStoredGroups(sgBasic | sgBuffer);
  Port.SetBaudRate(br57600);
  Port.Buffer().SetInputSize(2048);
  Port.StoreRegistry(reg);
  TComPort back(nullptr);
  back.SetStoredGroups(sgBasic | sgBuffer);
  back.LoadRegistry(reg);
  EXPECT_EQ(back.BaudRate(), br57600);
  EXPECT_EQ(back.Buffer().InputSize(), 2048);
  reg.CloseKey();
  reg.DeleteKey(key);
}

}  // namespace
