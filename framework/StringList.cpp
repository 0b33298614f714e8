#include "framework/StringList.h"

#include "framework/AnsiText.h"

#include <algorithm>

// ---- TStrings -------------------------------------------------------------

void TStrings::Put(int i, const String& s) {
  TObject* object = GetObject(i);
  Delete(i);
  InsertObject(i, s, object);
}

int TStrings::Add(const String& s) {
  const int i = Count();
  Insert(i, s);
  return i;
}

int TStrings::AddObject(const String& s, TObject* object) {
  const int i = Add(s);
  PutObject(i, object);
  return i;
}

void TStrings::InsertObject(int i, const String& s, TObject* object) {
  Insert(i, s);
  PutObject(i, object);
}

void TStrings::AddStrings(const TStrings& other) {
  BeginUpdate();
  try {
    for (int i = 0; i < other.Count(); ++i) AddObject(other.Get(i), other.GetObject(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TStrings::Text() const {
  String text;
  for (int i = 0; i < Count(); ++i) {
    text += Get(i);
    text += L"\r\n";
  }
  return text;
}

void TStrings::SetLines(const std::vector<String>& lines) {
  BeginUpdate();
  try {
    Clear();
    for (const auto& line : lines) Add(line);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::SetText(const String& text) { SetLines(SplitTextLines(text)); }

int TStrings::IndexOf(const String& s) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(Get(i), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

int TStrings::IndexOfName(const String& name) const {
  for (int i = 0; i < Count(); ++i) {
    const String line = Get(i);
    const size_t eq = line.find(L'=');
    if (eq != String::npos && CompareStrings(line.substr(0, eq), name) == 0) return i;
  }
  return -1;
}

String TStrings::Names(int i) const {
  const String line = Get(i);
  const size_t eq = line.find(L'=');
  return eq == String::npos ? String() : line.substr(0, eq);
}

String TStrings::ValueFromIndex(int i) const {
  const String line = Get(i);
  const size_t eq = line.find(L'=');
  return eq == String::npos ? String() : line.substr(eq + 1);
}

String TStrings::Values(const String& name) const {
  const int i = IndexOfName(name);
  return i < 0 ? String() : ValueFromIndex(i);
}

void TStrings::SetValues(const String& name, const String& value) {
  const int i = IndexOfName(name);
  if (!value.empty()) {
    if (i < 0)
      Add(name + L"=" + value);
    else
      Put(i, name + L"=" + value);
  } else if (i >= 0) {
    Delete(i);
  }
}

void TStrings::LoadFromFile(const String& path) { SetLines(LoadAnsiLines(path)); }

void TStrings::SaveToFile(const String& path) const {
  std::vector<String> lines;
  lines.reserve(size_t(Count()));
  for (int i = 0; i < Count(); ++i) lines.push_back(Get(i));
  SaveAnsiLines(path, lines);
}

void TStrings::LoadFromStream(TStream& stream) {
  const int64_t size = stream.Size() - stream.Position();
  AnsiString bytes(size_t(size > 0 ? size : 0), '\0');
  stream.ReadBuffer(bytes.data(), int64_t(bytes.size()));
  SetText(AnsiToString(bytes));
}

void TStrings::SaveToStream(TStream& stream) const {
  const AnsiString bytes = StringToAnsi(Text());
  stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}

void TStrings::Assign(const TStrings& other) {
  if (&other == this) return;
  BeginUpdate();
  try {
    Clear();
    for (int i = 0; i < other.Count(); ++i) AddObject(other.Get(i), other.GetObject(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

bool TStrings::Equals(const TStrings& other) const {
  if (Count() != other.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != other.Get(i)) return false;
  return true;
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

// ---- TStringList ----------------------------------------------------------

void TStringList::CheckIndex(int i, int limit) const {
  if (i < 0 || i >= limit) throw EStringListError(L"List index out of bounds (" + IntToStr(i) + L")");
}

String TStringList::Get(int i) const {
  CheckIndex(i, Count());
  return FItems[size_t(i)].Text;
}

TObject* TStringList::GetObject(int i) const {
  CheckIndex(i, Count());
  return FItems[size_t(i)].Object;
}

void TStringList::Put(int i, const String& s) {
  if (FSorted) throw EStringListError(L"Operation not allowed on sorted list");
  CheckIndex(i, Count());
  Changing();
  FItems[size_t(i)].Text = s;
  Changed();
}

void TStringList::PutObject(int i, TObject* object) {
  CheckIndex(i, Count());
  Changing();
  FItems[size_t(i)].Object = object;
  Changed();
}

void TStringList::InsertItem(int i, const String& s, TObject* object) {
  Changing();
  FItems.insert(FItems.begin() + i, TItem{s, object});
  Changed();
}

void TStringList::Insert(int i, const String& s) {
  if (FSorted) throw EStringListError(L"Operation not allowed on sorted list");
  CheckIndex(i, Count() + 1);
  InsertItem(i, s, nullptr);
}

int TStringList::Add(const String& s) { return AddObject(s, nullptr); }

int TStringList::AddObject(const String& s, TObject* object) {
  int i = Count();
  if (FSorted && Find(s, i)) {
    if (FDuplicates == dupIgnore) return i;
    if (FDuplicates == dupError) throw EStringListError(L"String list does not allow duplicates");
  }
  InsertItem(i, s, object);
  return i;
}

void TStringList::Delete(int i) {
  CheckIndex(i, Count());
  Changing();
  FItems.erase(FItems.begin() + i);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  Changing();
  FItems.clear();
  Changed();
}

void TStringList::Exchange(int a, int b) {
  CheckIndex(a, Count());
  CheckIndex(b, Count());
  Changing();
  std::swap(FItems[size_t(a)], FItems[size_t(b)]);
  Changed();
}

int TStringList::IndexOf(const String& s) const {
  if (!FSorted) return TStrings::IndexOf(s);
  int i;
  return Find(s, i) ? i : -1;
}

int TStringList::IndexOfName(const String& name) const {
  // The name is the text before the first '=', so a line holds it exactly
  // when the '=' stands right after it; a name with '=' in it matches none.
  if (name.find(L'=') != String::npos) return -1;
  const size_t n = name.size();
  for (size_t i = 0; i < FItems.size(); ++i) {
    const String& line = FItems[i].Text;
    if (line.size() > n && line[n] == L'=' && CompareStrings(line.substr(0, n), name) == 0) return int(i);
  }
  return -1;
}

bool TStringList::Find(const String& s, int& index) const {
  // Lower bound, so with duplicates the first equal item is found.
  int lo = 0, hi = Count();
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (CompareStrings(FItems[size_t(mid)].Text, s) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  index = lo;
  return lo < Count() && CompareStrings(FItems[size_t(lo)].Text, s) == 0;
}

void TStringList::Sort() {
  Changing();
  std::stable_sort(FItems.begin(), FItems.end(),
                   [this](const TItem& a, const TItem& b) { return CompareStrings(a.Text, b.Text) < 0; });
  Changed();
}

void TStringList::SetSorted(bool value) {
  if (value == FSorted) return;
  if (value) Sort();
  FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
  if (value == FCaseSensitive) return;
  FCaseSensitive = value;
  if (FSorted) Sort();
}

int TStringList::CompareStrings(const String& a, const String& b) const {
  return FCaseSensitive ? a.compare(b) : CompareText(a, b);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}
