#pragma once
// data.txt: "[data]", then key=value lines. A backup (data_last.txt) beside
// it and the defaults (data_clean.txt) beside the executable fill in keys
// that went missing.
#include "framework/StringList.h"

extern const wchar_t kDataFileName[];       // "data.txt"
extern const wchar_t kBackupFileName[];     // "data_last.txt"
extern const wchar_t kDefaultsFileName[];   // "data_clean.txt"
extern const wchar_t kDataSection[];        // "[data]"

// The keys the repair fills, in their order ("executefile" is never repaired).
const std::vector<String>& RepairedKeys();

// Fills every missing or empty key of data.txt from data_last.txt, then from
// data_clean.txt, else with one blank; writes the result to data.txt and to
// data_last.txt. Never raises: a failure leaves the files as far as they got.
void RepairSettingsFile(const String& dataFolder, const String& exeFolder, const TStrings& keys);

// Reads an integer setting: the default when absent or not a number.
int SettingInt(const TStrings& data, const String& key, int defaultValue);
// A box is checked only by exactly "1".
bool SettingBool(const TStrings& data, const String& key);
