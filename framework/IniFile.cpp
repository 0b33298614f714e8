#include "framework/IniFile.h"

#include "framework/AnsiText.h"

// ---- TCustomIniFile -------------------------------------------------------

int TCustomIniFile::ReadInteger(const String& section, const String& ident, int defaultValue) const {
  return StrToIntDef(ReadString(section, ident, String()), defaultValue);
}

void TCustomIniFile::WriteInteger(const String& section, const String& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const String& section, const String& ident, bool defaultValue) const {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& section, const String& ident, bool value) {
  WriteString(section, ident, value ? L"1" : L"0");
}

bool TCustomIniFile::SectionExists(const String& section) const {
  TStringList keys;
  ReadSection(section, keys);
  return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& section, const String& ident) const {
  TStringList keys;
  ReadSection(section, keys);
  return keys.IndexOf(ident) >= 0;
}

// ---- TIniFile ---------------------------------------------------------------

namespace {

// Reads a profile string, growing the buffer until the answer fits.
// GetPrivateProfileString returns size - 1 (size - 2 for lists) when it cut.
std::vector<wchar_t> ReadProfile(const wchar_t* section, const wchar_t* key, const wchar_t* def, const String& file) {
  std::vector<wchar_t> buffer(2048);
  for (;;) {
    const DWORD n = GetPrivateProfileStringW(section, key, def, buffer.data(), DWORD(buffer.size()), file.c_str());
    if (n + 2 < buffer.size()) {
      buffer.resize(n + 2);
      buffer[n] = buffer[n + 1] = L'\0';
      return buffer;
    }
    buffer.resize(buffer.size() * 4);
  }
}

void AddNullSeparated(const std::vector<wchar_t>& buffer, TStrings& list) {
  for (const wchar_t* p = buffer.data(); *p; p += wcslen(p) + 1) list.Add(p);
}

}  // namespace

TIniFile::~TIniFile() {
  // Flush the profile cache so other readers see our writes.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, FFileName.c_str());
}

String TIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) const {
  return ReadProfile(section.c_str(), ident.c_str(), defaultValue.c_str(), FFileName).data();
}

void TIniFile::WriteString(const String& section, const String& ident, const String& value) {
  if (!WritePrivateProfileStringW(section.c_str(), ident.c_str(), value.c_str(), FFileName.c_str()))
    throw EIniFileException(L"Unable to write to " + FFileName);
}

void TIniFile::ReadSection(const String& section, TStrings& keys) const {
  keys.BeginUpdate();
  keys.Clear();
  AddNullSeparated(ReadProfile(section.c_str(), nullptr, L"", FFileName), keys);
  keys.EndUpdate();
}

void TIniFile::ReadSections(TStrings& sections) const {
  std::vector<wchar_t> buffer(4096);
  for (;;) {
    const DWORD n = GetPrivateProfileSectionNamesW(buffer.data(), DWORD(buffer.size()), FFileName.c_str());
    if (n + 2 < buffer.size()) {
      buffer[n] = buffer[n + 1] = L'\0';
      break;
    }
    buffer.resize(buffer.size() * 4);
  }
  sections.BeginUpdate();
  sections.Clear();
  AddNullSeparated(buffer, sections);
  sections.EndUpdate();
}

void TIniFile::EraseSection(const String& section) {
  if (!WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, FFileName.c_str()))
    throw EIniFileException(L"Unable to write to " + FFileName);
}

void TIniFile::DeleteKey(const String& section, const String& ident) {
  WritePrivateProfileStringW(section.c_str(), ident.c_str(), nullptr, FFileName.c_str());
}

void TIniFile::UpdateFile() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, FFileName.c_str()); }

// ---- TMemIniFile ------------------------------------------------------------

TMemIniFile::TMemIniFile(const String& fileName) : TCustomIniFile(fileName) { LoadValues(); }

void TMemIniFile::LoadValues() {
  Clear();
  if (FFileName.empty() || !FileExists(FFileName)) return;
  TStringList lines;
  lines.LoadFromFile(FFileName);
  SetStrings(lines);
}

void TMemIniFile::Clear() { FSections.clear(); }

const TMemIniFile::TSection* TMemIniFile::FindSection(const String& name) const {
  for (const auto& section : FSections)
    if (FCaseSensitive ? section.Name == name : SameText(section.Name, name)) return &section;
  return nullptr;
}

TMemIniFile::TSection* TMemIniFile::FindSection(const String& name) {
  return const_cast<TSection*>(static_cast<const TMemIniFile*>(this)->FindSection(name));
}

TMemIniFile::TSection& TMemIniFile::AddSection(const String& name) {
  auto lines = std::make_unique<TStringList>();
  lines->SetCaseSensitive(FCaseSensitive);
  FSections.push_back(TSection{name, std::move(lines)});
  return FSections.back();
}

void TMemIniFile::SetCaseSensitive(bool value) {
  FCaseSensitive = value;
  for (auto& section : FSections) section.Lines->SetCaseSensitive(value);
}

void TMemIniFile::SetStrings(const TStrings& lines) {
  Clear();
  TStringList* current = nullptr;
  for (int i = 0; i < lines.Count(); ++i) {
    const String line = Trim(lines[i]);
    if (line.empty() || line[0] == L';') continue;
    if (line.front() == L'[' && line.back() == L']') {
      // A section named twice is kept twice, as before; reads find the first.
      current = AddSection(Trim(line.substr(1, line.size() - 2))).Lines.get();
    } else if (current) {
      const size_t eq = line.find(L'=');
      current->Add(eq == String::npos ? line : TrimRight(line.substr(0, eq)) + L"=" + TrimLeft(line.substr(eq + 1)));
    }
  }
}

void TMemIniFile::GetStrings(TStrings& lines) const {
  lines.BeginUpdate();
  lines.Clear();
  for (const auto& section : FSections) {
    lines.Add(L"[" + section.Name + L"]");
    for (int i = 0; i < section.Lines->Count(); ++i) lines.Add((*section.Lines)[i]);
    lines.Add(String());
  }
  lines.EndUpdate();
}

String TMemIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) const {
  const TSection* s = FindSection(section);
  if (!s) return defaultValue;
  const int i = s->Lines->IndexOfName(ident);
  return i < 0 ? defaultValue : s->Lines->ValueFromIndex(i);
}

void TMemIniFile::WriteString(const String& section, const String& ident, const String& value) {
  TSection* s = FindSection(section);
  TStringList& lines = *(s ? s : &AddSection(section))->Lines;
  // Unlike TStrings::SetValues an empty value keeps its key.
  const int i = lines.IndexOfName(ident);
  if (i < 0)
    lines.Add(ident + L"=" + value);
  else
    lines.Put(i, ident + L"=" + value);
}

void TMemIniFile::ReadSection(const String& section, TStrings& keys) const {
  keys.BeginUpdate();
  keys.Clear();
  if (const TSection* s = FindSection(section)) {
    for (int i = 0; i < s->Lines->Count(); ++i)
      if ((*s->Lines)[i].find(L'=') != String::npos) keys.Add(s->Lines->Names(i));
  }
  keys.EndUpdate();
}

bool TMemIniFile::ValueExists(const String& section, const String& ident) const {
  const TSection* s = FindSection(section);
  return s && s->Lines->IndexOfName(ident) >= 0;
}

void TMemIniFile::ReadSectionValues(const String& section, TStrings& values) const {
  values.BeginUpdate();
  values.Clear();
  if (const TSection* s = FindSection(section)) values.AddStrings(*s->Lines);
  values.EndUpdate();
}

void TMemIniFile::ReadSections(TStrings& sections) const {
  sections.BeginUpdate();
  sections.Clear();
  for (const auto& section : FSections) sections.Add(section.Name);
  sections.EndUpdate();
}

void TMemIniFile::EraseSection(const String& section) {
  for (auto it = FSections.begin(); it != FSections.end(); ++it) {
    if (FCaseSensitive ? it->Name == section : SameText(it->Name, section)) {
      FSections.erase(it);
      return;
    }
  }
}

void TMemIniFile::DeleteKey(const String& section, const String& ident) {
  if (TSection* s = FindSection(section)) {
    const int i = s->Lines->IndexOfName(ident);
    if (i >= 0) s->Lines->Delete(i);
  }
}

void TMemIniFile::UpdateFile() {
  TStringList lines;
  GetStrings(lines);
  lines.SaveToFile(FFileName);
}

void TMemIniFile::Rename(const String& fileName, bool reload) {
  FFileName = fileName;
  if (reload) LoadValues();
}
