#pragma once
// data.txt: "[data]", then key=value lines. A backup (data_last.txt) beside
// it and the defaults (data_clean.txt) beside the executable fill in keys
// that went missing.
#include "framework/StringList.h"

extern const wchar_t kDataFileName[];      // "data.txt"
extern const wchar_t kBackupFileName[];    // "data_last.txt"
extern const wchar_t kDefaultsFileName[];  // "data_clean.txt"
extern const wchar_t kDataSection[];       // "[data]"

// Fills every missing or empty key of data.txt from data_last.txt, then from
// data_clean.txt, else with one blank, and writes the result to data.txt
// (an intact data.txt is left as it is, time and all).
// The backup is refreshed only from a data.txt that read whole (every
// repaired key there and readable): a damaged file must not overwrite the
// copy the repair needs. Never raises: a failure leaves the files as far as
// they got.
void RepairSettingsFile(const String& dataFolder, const String& exeFolder);

// Whether the settings hold every repaired key with a readable value.
bool ReadsWhole(const TStrings& data);
