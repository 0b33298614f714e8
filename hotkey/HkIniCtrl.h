#pragma once
// Where and how the hot key library keeps settings: an ini file under a chosen
// folder or the registry, with optional scrambling of values.
#include "framework/IniFile.h"
#include "hotkey/HkCustomComponent.h"
#include "hotkey/HkPaths.h"

#include <memory>

enum class THkRegRootKey { rpClassesRoot, rpCurrentUser, rpLocalMachine, rpUsers, rpCurrentConfig, rpDynData };
enum class THkIniTarget { itIniFile, itRegistry, itAuto, itMemIniFile };
enum class THkIniCryptMode { icmKey, icmTextKey, icmCustom };
using THkIniCryptEvent = std::function<void(TObject* Sender, String& data)>;

class THkIniCtrl : public THkCustomComponent {
 public:
  explicit THkIniCtrl(TComponent* owner) : THkCustomComponent(owner) {}
  ~THkIniCtrl() override;

  // An alphabetic counter names entries A..Z, so it caps the entry count.
  static constexpr uint8_t kAlphaMaxEntries = 26;

  bool AlphaCounter() const { return FAlphaCounter; }
  void SetAlphaCounter(bool v);
  bool Common() const { return FCommon; }
  void SetCommon(bool v) { FCommon = v; }
  const String& IniFile() const { return FIniFile; }
  void SetIniFile(const String& name);
  THkPathPrefix IniPrefix() const { return FIniPrefix; }
  void SetIniPrefix(THkPathPrefix v) { FIniPrefix = v; }
  uint8_t MaxEntries() const { return FMaxEntries; }
  void SetMaxEntries(uint8_t v);
  bool NetUser() const { return FNetUser; }
  void SetNetUser(bool v);
  const String& User() const { return FUser; }
  void SetUser(const String& v) { FUser = v; }
  const String& RegPath() const { return FRegPath; }
  void SetRegPath(const String& v) { FRegPath = v; }
  THkRegRootKey RegRoot() const { return FRegRoot; }
  void SetRegRoot(THkRegRootKey v) { FRegRoot = v; }
  THkIniTarget Target() const { return FTarget; }
  void SetTarget(THkIniTarget v);
  uint16_t EncKey() const { return FEncKey; }
  void SetEncKey(uint16_t v) { FEncKey = v; }
  bool Encoded() const { return FEncoded; }
  void SetEncoded(bool v) { FEncoded = v; }
  THkIniCryptMode CryptMode() const { return FCryptMode; }
  void SetCryptMode(THkIniCryptMode v) { FCryptMode = v; }

  THkIniCryptEvent OnEncodeString;
  THkIniCryptEvent OnDecodeString;

  // The full name of the ini file; by default the executable's name with ".INI".
  String IniFilePath() const;
  String EncodeValue(const String& s);
  String DecodeValue(const String& s);
  TMemIniFile* MemIniFile() const { return FMemIni.get(); }

 private:
  bool FAlphaCounter = false;
  bool FCommon = true;
  String FIniFile;
  THkPathPrefix FIniPrefix = THkPathPrefix::ppWindows;
  uint8_t FMaxEntries = 16;
  bool FNetUser = false;
  String FUser;
  String FRegPath;
  THkRegRootKey FRegRoot = THkRegRootKey::rpCurrentUser;
  THkIniTarget FTarget = THkIniTarget::itAuto;
  uint16_t FEncKey = 58203;
  bool FEncoded = false;
  THkIniCryptMode FCryptMode = THkIniCryptMode::icmKey;
  std::unique_ptr<TMemIniFile> FMemIni;
};
