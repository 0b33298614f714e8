#include "hotkey/HkIniCtrl.h"

#include "hotkey/HkText.h"

THkIniCtrl::~THkIniCtrl() = default;

void THkIniCtrl::SetAlphaCounter(bool v) {
  FAlphaCounter = v;
  if (v && FMaxEntries > kAlphaMaxEntries) FMaxEntries = kAlphaMaxEntries;
}

void THkIniCtrl::SetMaxEntries(uint8_t v) {
  if (!FAlphaCounter || v <= kAlphaMaxEntries) FMaxEntries = v;
}

void THkIniCtrl::SetNetUser(bool v) {
  FNetUser = v;
  if (v) FUser = WindowsUserName();
}

void THkIniCtrl::SetIniFile(const String& name) {
  FIniFile = ExtractFileExt(name).empty() ? ChangeFileExt(name, L".INI") : name;
  if (FMemIni) FMemIni->Rename(IniFilePath(), false);
}

void THkIniCtrl::SetTarget(THkIniTarget v) {
  if (v == FTarget) return;
  FTarget = v;
  if (v == THkIniTarget::itMemIniFile)
    FMemIni = std::make_unique<TMemIniFile>(IniFilePath());
  else
    FMemIni.reset();
}

String THkIniCtrl::IniFilePath() const {
  const String name = FIniFile.empty() ? ChangeFileExt(ExeFileName(), L".INI") : FIniFile;
  if (FIniPrefix == THkPathPrefix::ppFixed) return name;
  return PathPrefixFolder(FIniPrefix, true) + ExtractFileName(name);
}

String THkIniCtrl::EncodeValue(const String& s) {
  switch (FCryptMode) {
    case THkIniCryptMode::icmKey:
      return AnsiToString(ScrambleText(StringToAnsi(s), FEncKey));
    case THkIniCryptMode::icmTextKey:
      return AnsiToString(TextEncode3To4(ScrambleText(StringToAnsi(s), FEncKey)));
    case THkIniCryptMode::icmCustom: {
      String data = s;
      if (OnEncodeString) OnEncodeString(this, data);
      return data;
    }
  }
  return s;
}

String THkIniCtrl::DecodeValue(const String& s) {
  switch (FCryptMode) {
    case THkIniCryptMode::icmKey:
      return AnsiToString(UnscrambleText(StringToAnsi(s), FEncKey));
    case THkIniCryptMode::icmTextKey:
      return AnsiToString(UnscrambleText(TextDecode4To3(StringToAnsi(s)), FEncKey));
    case THkIniCryptMode::icmCustom: {
      String data = s;
      if (OnDecodeString) OnDecodeString(this, data);
      return data;
    }
  }
  return s;
}
