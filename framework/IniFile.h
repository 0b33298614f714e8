#pragma once
// INI files: the Windows profile functions (TIniFile) or a copy held in
// memory (TMemIniFile).

#include "framework/StringList.h"

#include <memory>
#include <vector>

class EIniFileException : public Exception {
 public:
  using Exception::Exception;
};

class TCustomIniFile : public TObject {
 public:
  explicit TCustomIniFile(const String& fileName) : FFileName(fileName) {}

  const String& FileName() const { return FFileName; }

  virtual String ReadString(const String& section, const String& ident, const String& defaultValue) const = 0;
  virtual void WriteString(const String& section, const String& ident, const String& value) = 0;
  // Decimal, "$" or "0x" hex; anything else gives the default.
  int ReadInteger(const String& section, const String& ident, int defaultValue) const;
  void WriteInteger(const String& section, const String& ident, int value);
  // Any integer but 0 is true; written as "1" or "0".
  bool ReadBool(const String& section, const String& ident, bool defaultValue) const;
  void WriteBool(const String& section, const String& ident, bool value);

  virtual void ReadSection(const String& section, TStrings& keys) const = 0;  // keys in file order
  virtual void ReadSections(TStrings& sections) const = 0;                    // in file order
  bool SectionExists(const String& section) const;
  virtual bool ValueExists(const String& section, const String& ident) const;
  virtual void EraseSection(const String& section) = 0;
  virtual void DeleteKey(const String& section, const String& ident) = 0;
  virtual void UpdateFile() = 0;

 protected:
  String FFileName;
};

// Every call goes to GetPrivateProfileString / WritePrivateProfileString.
class TIniFile : public TCustomIniFile {
 public:
  using TCustomIniFile::TCustomIniFile;
  ~TIniFile() override;

  String ReadString(const String& section, const String& ident, const String& defaultValue) const override;
  void WriteString(const String& section, const String& ident, const String& value) override;
  void ReadSection(const String& section, TStrings& keys) const override;
  void ReadSections(TStrings& sections) const override;
  void EraseSection(const String& section) override;
  void DeleteKey(const String& section, const String& ident) override;
  void UpdateFile() override;
};

// The whole file in memory, sections and keys in file order. Names compare
// without regard to ASCII case unless CaseSensitive. Nothing reaches the
// disk before UpdateFile.
class TMemIniFile : public TCustomIniFile {
 public:
  // Loads the file when it exists.
  explicit TMemIniFile(const String& fileName = String());

  String ReadString(const String& section, const String& ident, const String& defaultValue) const override;
  void WriteString(const String& section, const String& ident, const String& value) override;
  void ReadSection(const String& section, TStrings& keys) const override;
  void ReadSections(TStrings& sections) const override;
  bool ValueExists(const String& section, const String& ident) const override;
  // All lines of a section, as "key=value".
  void ReadSectionValues(const String& section, TStrings& values) const;
  void EraseSection(const String& section) override;
  void DeleteKey(const String& section, const String& ident) override;
  void UpdateFile() override;

  void Clear();
  // Parses INI lines: "[name]" starts a section; blank lines and lines
  // starting with ';' are skipped; "key = value" is trimmed around both parts.
  void SetStrings(const TStrings& lines);
  // "[name]", the section's lines and an empty line, for every section.
  void GetStrings(TStrings& lines) const;
  // Takes another file name; reloads from it when asked.
  void Rename(const String& fileName, bool reload);

  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value);

 private:
  struct TSection {
    String Name;
    std::unique_ptr<TStringList> Lines;
  };

  const TSection* FindSection(const String& name) const;
  TSection* FindSection(const String& name);
  TSection& AddSection(const String& name);
  void LoadValues();

  std::vector<TSection> FSections;
  bool FCaseSensitive = false;
};
