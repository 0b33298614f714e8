#pragma once
// The keys of data.txt, each named once: its kind, what it reads as when it
// is absent or unreadable, whether the repair fills it, and where the
// program keeps it. The table's order is the order in which a save writes
// the keys (a key new to the file is appended, an existing one replaced in
// place).
#include "framework/StringList.h"

#include <span>

class TForm1;

enum class TSettingKind {
  Number,  // a signed 32-bit decimal
  Flag,    // "1" checked, "0" not
  Text,
};

struct TSettingKey {
  const wchar_t* Name;
  TSettingKind Kind;
  const wchar_t* Default;                            // what an absent or unreadable value reads as
  int RepairPosition;                                // its place in the repair's key list; -1: never repaired
  bool Count;                                        // a payment counter: saved after every pulse too
  bool OpensPort;                                    // applied last at start: it needs the rest in place
  String (*Saved)(const TForm1& form);               // what a save writes, from the program's state
  void (*Apply)(TForm1& form, const String& value);  // takes a readable value or the default
};

std::span<const TSettingKey> SettingKeys();

// The keys the repair fills, in the repair's order ("executefile" is not among them).
std::vector<String> RepairedKeys();

// Whether the text reads as the key's kind: a number in range, a flag "0" or "1".
bool Readable(const TSettingKey& key, const String& value);
// The key's value in the list; its default when absent or unreadable.
String SettingValue(const TStrings& data, const TSettingKey& key);
