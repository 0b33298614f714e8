#pragma once
// Lists of text lines: the abstract TStrings and the stored TStringList.

#include "framework/Streams.h"
#include "framework/System.h"

#include <vector>

class EStringListError : public Exception {
 public:
  using Exception::Exception;
};

class TStrings : public TObject {
 public:
  virtual int Count() const = 0;
  virtual String Get(int i) const = 0;
  virtual void Put(int i, const String& s);  // default: Delete + Insert, keeping the object
  virtual void Insert(int i, const String& s) = 0;
  virtual void Delete(int i) = 0;
  virtual void Clear() = 0;
  // Lists without objects keep none: GetObject gives null, PutObject ignores.
  virtual TObject* GetObject(int i) const { return nullptr; }
  virtual void PutObject(int i, TObject* object) {}

  virtual int Add(const String& s);  // returns the index
  virtual int AddObject(const String& s, TObject* object);
  void InsertObject(int i, const String& s, TObject* object);
  void AddStrings(const TStrings& other);
  String Strings(int i) const { return Get(i); }
  String operator[](int i) const { return Get(i); }
  TObject* Objects(int i) const { return GetObject(i); }
  void SetObjects(int i, TObject* object) { PutObject(i, object); }

  // Every line followed by CR LF; setting splits at CR LF, LF or a lone CR.
  String Text() const;
  void SetText(const String& text);

  virtual int IndexOf(const String& s) const;  // CompareStrings, so case-insensitive by default
  int IndexOfObject(const TObject* object) const;

  // name=value lines: the name is the text before the first '='; a line
  // without '=' has no name. Names are compared by CompareStrings.
  virtual int IndexOfName(const String& name) const;
  String Names(int i) const;
  String ValueFromIndex(int i) const;
  String Values(const String& name) const;  // "" when absent
  // An empty value deletes the line; a new name is appended; an existing
  // line is replaced where it stands.
  void SetValues(const String& name, const String& value);

  // 8-bit ANSI text with CR LF; the save is crash-safe (see AnsiText.h).
  void LoadFromFile(const String& path);
  void SaveToFile(const String& path) const;
  // The same 8-bit text, from the stream's position to its end.
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;

  virtual void Assign(const TStrings& other);
  bool Equals(const TStrings& other) const;

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

 protected:
  // Called when BeginUpdate/EndUpdate go from 0 to 1 and back.
  virtual void SetUpdateState(bool updating) {}
  virtual int CompareStrings(const String& a, const String& b) const { return CompareText(a, b); }
  void SetLines(const std::vector<String>& lines);

 private:
  int FUpdateCount = 0;
};

// BeginUpdate for one scope; the matching EndUpdate runs however it is left.
class TUpdateScope {
 public:
  explicit TUpdateScope(TStrings& strings) : FStrings(strings) { FStrings.BeginUpdate(); }
  ~TUpdateScope() { FStrings.EndUpdate(); }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

 private:
  TStrings& FStrings;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
 public:
  int Count() const override { return int(FItems.size()); }
  String Get(int i) const override;
  void Put(int i, const String& s) override;
  void Insert(int i, const String& s) override;
  void Delete(int i) override;
  void Clear() override;
  TObject* GetObject(int i) const override;
  void PutObject(int i, TObject* object) override;
  int Add(const String& s) override;
  int AddObject(const String& s, TObject* object) override;
  int IndexOf(const String& s) const override;
  // Looks at the lines where they are: settings files may hold lines of
  // megabytes, and each look-up would copy them.
  int IndexOfName(const String& name) const override;

  void Exchange(int a, int b);
  // Binary search of a sorted list: true and the index when found, else
  // false and the index where s belongs.
  bool Find(const String& s, int& index) const;
  virtual void Sort();

  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates value) { FDuplicates = value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value);

  // Fired before and after every change, or once each around an update.
  TNotifyEvent OnChanging;
  TNotifyEvent OnChange;

 protected:
  void SetUpdateState(bool updating) override;
  int CompareStrings(const String& a, const String& b) const override;
  virtual void Changing();
  virtual void Changed();

 private:
  struct TItem {
    String Text;
    TObject* Object;
  };

  void CheckIndex(int i, int limit) const;
  void InsertItem(int i, const String& s, TObject* object);

  std::vector<TItem> FItems;
  bool FSorted = false;
  bool FCaseSensitive = false;
  TDuplicates FDuplicates = dupIgnore;
};
