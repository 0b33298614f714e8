#pragma once
// The registry, one open key at a time; the key is closed with the object.

#include "framework/System.h"

class TRegistry : public TObject {
 public:
  explicit TRegistry(REGSAM access = KEY_ALL_ACCESS);
  ~TRegistry() override;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey() const { return FRootKey; }
  void SetRootKey(HKEY value);  // closes the open key
  REGSAM Access() const { return FAccess; }
  void SetAccess(REGSAM value) { FAccess = value; }
  HKEY CurrentKey() const { return FCurrentKey; }
  const String& CurrentPath() const { return FCurrentPath; }

  // The path is relative to the root key (a leading backslash is allowed).
  // Returns false when the key is missing (and not created) or refused.
  bool OpenKey(const String& key, bool canCreate);
  bool OpenKeyReadOnly(const String& key);
  void CloseKey();
  bool KeyExists(const String& key) const;
  // Deletes the key with everything below it.
  bool DeleteKey(const String& key);

  bool ValueExists(const String& name) const;
  bool DeleteValue(const String& name);
  void WriteString(const String& name, const String& value);
  String ReadString(const String& name) const;  // "" when missing
  void WriteInteger(const String& name, int value);
  int ReadInteger(const String& name) const;  // raises ERegistryException when missing
  void WriteBool(const String& name, bool value);
  bool ReadBool(const String& name) const;

 private:
  static String Relative(const String& key);
  void CheckOpen() const;

  HKEY FRootKey = HKEY_CURRENT_USER;
  HKEY FCurrentKey = nullptr;
  String FCurrentPath;
  REGSAM FAccess;
};
