#include "framework/StringList.h"

#include "tests/support/scratch_folder.h"
#include "tests/support/string_lines.h"

#include <gtest/gtest.h>

namespace {

// ---- name=value rules -------------------------------------------------------

struct ValueCase {
  const char* what;
  Lines lines;
  const wchar_t* name;
  const wchar_t* value;
};

TEST(StringListValues, ReadRules) {
  const ValueCase cases[] = {
      {"exact name", {L"[data]", L"comport=3"}, L"comport", L"3"},
      {"name case is ignored", {L"ComPort=3"}, L"COMPORT", L"3"},
      {"value is all after the first =", {L"a=b=c"}, L"a", L"b=c"},
      {"absent name", {L"comport=3"}, L"poll", L""},
      {"line without = has no name", {L"poll", L"x=1"}, L"poll", L""},
      {"empty value", {L"pass="}, L"pass", L""},
      {"blanks are part of the name", {L" poll=1"}, L"poll", L""},
      {"blank value is kept", {L"pass= "}, L"pass", L" "},
      {"first of two wins", {L"k=1", L"K=2"}, L"k", L"1"},
      {"empty name", {L"=v"}, L"", L"v"},
      {"a name with = names no line", {L"a=b=c"}, L"a=b", L""},
  };
  for (const auto& c : cases) {
    const TStringList list = ListOf(c.lines);
    EXPECT_EQ(list.Values(c.name), c.value) << c.what;
  }
}

TEST(StringListValues, NamesAndValueFromIndex) {
  const TStringList list = ListOf({L"a=1", L"plain", L"=x", L"b=c=d"});
  EXPECT_EQ(list.Names(0), L"a");
  EXPECT_EQ(list.Names(1), L"");
  EXPECT_EQ(list.ValueFromIndex(1), L"");
  EXPECT_EQ(list.Names(2), L"");
  EXPECT_EQ(list.ValueFromIndex(2), L"x");
  EXPECT_EQ(list.ValueFromIndex(3), L"c=d");
  EXPECT_EQ(list.IndexOfName(L"B"), 3);
  EXPECT_EQ(list.IndexOfName(L"plain"), -1);
}

struct SetCase {
  const char* what;
  Lines before;
  const wchar_t* name;
  const wchar_t* value;
  Lines after;
};

TEST(StringListValues, WriteRules) {
  const SetCase cases[] = {
      {"replaced in place",
       {L"[data]", L"comport=1", L"poll=0"},
       L"comport",
       L"2",
       {L"[data]", L"comport=2", L"poll=0"}},
      {"new name appended", {L"[data]", L"poll=0"}, L"credits", L"5", {L"[data]", L"poll=0", L"credits=5"}},
      {"empty value removes the line", {L"a=1", L"pass=x", L"b=2"}, L"pass", L"", {L"a=1", L"b=2"}},
      {"empty value for an absent name", {L"a=1"}, L"pass", L"", {L"a=1"}},
      {"matched without case, written as given", {L"PASS=x"}, L"pass", L"y", {L"pass=y"}},
      {"a line without = is not a key", {L"pass"}, L"pass", L"1", {L"pass", L"pass=1"}},
      {"a blank is a value", {L"pass=x"}, L"pass", L" ", {L"pass= "}},
  };
  for (const auto& c : cases) {
    TStringList list = ListOf(c.before);
    list.SetValues(c.name, c.value);
    EXPECT_EQ(LinesOf(list), c.after) << c.what;
  }
}

// ---- files ------------------------------------------------------------------

struct FileCase {
  const char* bytes;
  Lines lines;
};

TEST(StringListFiles, LoadKeepsTheTrailingLineRules) {
  const FileCase cases[] = {
      {"[data]\r\ncomport=1", {L"[data]", L"comport=1"}},
      {"[data]\r\ncomport=1\r\n", {L"[data]", L"comport=1"}},
      {"[data]\r\ncomport=1\r\n\r\n", {L"[data]", L"comport=1", L""}},
      {"[data]\r\ncomport=1\r\n\r\n\r\n", {L"[data]", L"comport=1", L"", L""}},
      {"[data]\ncomport=1\n", {L"[data]", L"comport=1"}},
      {"", {}},
  };
  ScratchFolder folder;
  const String path = folder.File(L"data.txt");
  for (const auto& c : cases) {
    ScratchFolder::WriteBytes(path, c.bytes);
    TStringList list;
    list.Add(L"stale");
    list.LoadFromFile(path);
    EXPECT_EQ(LinesOf(list), c.lines) << testing::PrintToString(std::string(c.bytes));
  }
}

TEST(StringListFiles, SaveWritesCrLfAfterEveryLine) {
  ScratchFolder folder;
  const String path = folder.File(L"data.txt");
  TStringList list = ListOf({L"[data]", L"", L"pass=\u00e9"});
  list.SaveToFile(path);
  EXPECT_EQ(ScratchFolder::ReadBytes(path), "[data]\r\n\r\npass=" + StringToAnsi(L"\u00e9") + "\r\n");
  TStringList back;
  back.LoadFromFile(path);
  EXPECT_TRUE(back.Equals(list));
  EXPECT_THROW(back.LoadFromFile(folder.File(L"missing.txt")), EFOpenError);
}

TEST(StringListFiles, StreamsCarryTheSameText) {
  TMemoryStream stream;
  stream.WriteBuffer("skip", 4);
  const std::string text = "a\r\n\r\n" + StringToAnsi(L"\u00e9") + "\n";
  stream.WriteBuffer(text.data(), int64_t(text.size()));
  stream.SetPosition(4);
  TStringList list;
  list.LoadFromStream(stream);
  EXPECT_EQ(LinesOf(list), (Lines{L"a", L"", L"\u00e9"}));
  TMemoryStream out;
  list.SaveToStream(out);
  EXPECT_EQ(std::string(static_cast<const char*>(out.Memory()), size_t(out.Size())),
            "a\r\n\r\n" + StringToAnsi(L"\u00e9") + "\r\n");
}

TEST(StringListText, JoinAndSplit) {
  TStringList list;
  list.SetText(L"a\r\nb\nc\rd");
  EXPECT_EQ(LinesOf(list), (Lines{L"a", L"b", L"c", L"d"}));
  EXPECT_EQ(list.Text(), L"a\r\nb\r\nc\r\nd\r\n");
  list.SetText(L"");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Text(), L"");
}

// ---- list behaviour ---------------------------------------------------------

TEST(StringList, IndexOfIgnoresCaseUnlessCaseSensitive) {
  TStringList list = ListOf({L"Alpha", L"beta"});
  EXPECT_EQ(list.IndexOf(L"ALPHA"), 0);
  EXPECT_EQ(list.IndexOf(L"gamma"), -1);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf(L"ALPHA"), -1);
  EXPECT_EQ(list.IndexOf(L"Alpha"), 0);
  EXPECT_EQ(list.IndexOfName(L"ALPHA"), -1);
}

TEST(StringList, SortedListsKeepOrderAndHandleDuplicates) {
  TStringList list;
  list.SetSorted(true);
  EXPECT_EQ(list.Add(L"pear"), 0);
  EXPECT_EQ(list.Add(L"Apple"), 0);
  EXPECT_EQ(list.Add(L"fig"), 1);
  EXPECT_EQ(list.Add(L"APPLE"), 0);  // dupIgnore: the index of the one present
  EXPECT_EQ(LinesOf(list), (Lines{L"Apple", L"fig", L"pear"}));
  EXPECT_EQ(list.IndexOf(L"PEAR"), 2);
  int at = -1;
  EXPECT_FALSE(list.Find(L"grape", at));
  EXPECT_EQ(at, 2);

  list.SetDuplicates(dupError);
  EXPECT_THROW(list.Add(L"fig"), EStringListError);
  list.SetDuplicates(dupAccept);
  list.Add(L"fig");
  EXPECT_EQ(list.Count(), 4);
  EXPECT_THROW(list.Insert(0, L"x"), EStringListError);

  list.SetCaseSensitive(true);  // re-sorts by ordinal: upper case first
  list.Add(L"banana");
  EXPECT_EQ(LinesOf(list), (Lines{L"Apple", L"banana", L"fig", L"fig", L"pear"}));
}

TEST(StringList, SettingSortedSortsWhatIsThere) {
  TStringList list = ListOf({L"c", L"B", L"a"});
  list.SetSorted(true);
  EXPECT_EQ(LinesOf(list), (Lines{L"a", L"B", L"c"}));
}

TEST(StringList, ObjectsTravelWithTheirLines) {
  TObject one, two;
  TStringList list;
  list.AddObject(L"b", &two);
  list.AddObject(L"a", &one);
  list.Put(0, L"bb");
  EXPECT_EQ(list.Objects(0), &two);
  list.SetSorted(true);
  EXPECT_EQ(list.Objects(0), &one);
  EXPECT_EQ(list.IndexOfObject(&two), 1);

  TStringList copy;
  copy.Add(L"old");
  copy.Assign(list);
  EXPECT_EQ(LinesOf(copy), (Lines{L"a", L"bb"}));
  EXPECT_EQ(copy.Objects(1), &two);
}

TEST(StringList, BadIndexRaises) {
  TStringList list = ListOf({L"a"});
  EXPECT_THROW(list.Get(1), EStringListError);
  EXPECT_THROW(list.Get(-1), EStringListError);
  EXPECT_THROW(list.Delete(1), EStringListError);
  EXPECT_THROW(list.Insert(2, L"x"), EStringListError);
  list.Insert(1, L"b");  // at the end is fine
  EXPECT_EQ(list[1], L"b");
}

TEST(StringList, ChangeEventsFireAroundEachChangeOrOncePerUpdate) {
  TStringList list;
  std::vector<std::string> log;
  list.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    log.push_back("changing");
  };
  list.OnChange = [&](TObject*) { log.push_back("change:" + std::to_string(list.Count())); };

  list.Add(L"a");
  EXPECT_EQ(log, (std::vector<std::string>{"changing", "change:1"}));

  log.clear();
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add(L"b");
  list.SetValues(L"k", L"v");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(log, (std::vector<std::string>{"changing"}));
  list.EndUpdate();
  EXPECT_EQ(log, (std::vector<std::string>{"changing", "change:2"}));

  // A load that fails changes nothing and fires nothing.
  log.clear();
  EXPECT_THROW(list.LoadFromFile(L"Z:\\no\\such\\file.txt"), EFOpenError);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(list.Count(), 2);
}

TEST(StringList, LoadFiresOneChangeAndClearOfEmptyListNone) {
  ScratchFolder folder;
  const String path = folder.File(L"x.txt");
  ScratchFolder::WriteBytes(path, "1\r\n2\r\n3\r\n");
  TStringList list;
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  list.Clear();
  EXPECT_EQ(changes, 0);
  list.LoadFromFile(path);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(list.Count(), 3);
}

// A list that only counts update transitions, as a control's lines would.
class TUpdateCounting : public TStringList {
 public:
  std::vector<bool> states;

 protected:
  void SetUpdateState(bool updating) override {
    states.push_back(updating);
    TStringList::SetUpdateState(updating);
  }
};

TEST(StringList, SetUpdateStateOnlyOnTransitions) {
  TUpdateCounting list;
  list.BeginUpdate();
  list.BeginUpdate();
  list.EndUpdate();
  list.EndUpdate();
  list.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(list.states, (std::vector<bool>{true, false}));
}

}  // namespace
