#include "app/SettingsFile.h"

#include "app/Waits.h"

const wchar_t kDataFileName[] = L"data.txt";
const wchar_t kBackupFileName[] = L"data_last.txt";
const wchar_t kDefaultsFileName[] = L"data_clean.txt";
const wchar_t kDataSection[] = L"[data]";

const std::vector<String>& RepairedKeys() {
  static const std::vector<String> keys = {
      L"comport", L"channel1", L"poll",        L"totalblocking",   L"playsound",
      L"cashid",  L"credits",  L"log",         L"logtotal",        L"logtotalpure",
      L"autostartonboot", L"checklogsize", L"execute", L"pass"};
  return keys;
}

namespace {

bool EndsWithEmptyLine(const TStrings& list) {
  return list.Count() > 0 && list.Get(list.Count() - 1).empty();
}

void LoadIfExists(TStringList& list, const String& fileName) {
  if (!FileExists(fileName)) return;
  WaitWhileFileLocked(fileName);
  list.LoadFromFile(fileName);
}

}  // namespace

void RepairSettingsFile(const String& dataFolder, const String& exeFolder, const TStrings& keys) {
  const String dataFile = dataFolder + kDataFileName;
  const String backupFile = dataFolder + kBackupFileName;
  const String defaultsFile = exeFolder + kDefaultsFileName;
  TStringList current, backup, defaults;
  try {
    if (FileExists(dataFile)) {
      LoadIfExists(current, dataFile);
      for (int i = 0; i < 2; ++i)
        if (EndsWithEmptyLine(current)) current.Delete(current.Count() - 1);
      if (current.Count() > 0 && Trim(current.Get(0)) != kDataSection) current.Insert(0, kDataSection);
    }
    LoadIfExists(backup, backupFile);
    if (FileExists(defaultsFile)) {
      LoadIfExists(defaults, defaultsFile);
      for (int i = 0; i < 2; ++i) {
        if (!EndsWithEmptyLine(defaults)) continue;
        defaults.Delete(defaults.Count() - 1);
        WaitWhileFileLocked(defaultsFile);
        defaults.SaveToFile(defaultsFile);
      }
    }
    for (int i = 0; i < keys.Count(); ++i) {
      const String key = keys.Get(i);
      if (current.Values(key).empty()) {
        String value = backup.Values(key);
        current.SetValues(key, value.empty() ? defaults.Values(key) : value);
      }
      if (current.Values(key).empty()) current.SetValues(key, L" ");
    }
    WaitWhileFileLocked(dataFile);
    current.SaveToFile(dataFile);
    PumpedDelay(100);
    current.SaveToFile(backupFile);
  } catch (...) {
    // The repair runs at every start and must never stop it.
  }
}

int SettingInt(const TStrings& data, const String& key, int defaultValue) {
  return StrToIntDef(data.Values(key), defaultValue);
}

bool SettingBool(const TStrings& data, const String& key) { return data.Values(key) == L"1"; }
