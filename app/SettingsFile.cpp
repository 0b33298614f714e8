#include "app/SettingsFile.h"

#include "app/SettingKeys.h"
#include "app/Waits.h"

const wchar_t kDataFileName[] = L"data.txt";
const wchar_t kBackupFileName[] = L"data_last.txt";
const wchar_t kDefaultsFileName[] = L"data_clean.txt";
const wchar_t kDataSection[] = L"[data]";

namespace {

bool EndsWithEmptyLine(const TStrings& list) { return list.Count() > 0 && list.Get(list.Count() - 1).empty(); }

void LoadIfExists(TStringList& list, const String& fileName) {
  if (!FileExists(fileName)) return;
  WaitWhileFileLocked(fileName);
  list.LoadFromFile(fileName);
}

}  // namespace

bool ReadsWhole(const TStrings& data) {
  for (const TSettingKey& key : SettingKeys()) {
    if (key.RepairPosition < 0) continue;
    const String value = data.Values(key.Name);
    if (Trim(value).empty() || !Readable(key, value)) return false;
  }
  return true;
}

void RepairSettingsFile(const String& dataFolder, const String& exeFolder) {
  const String dataFile = dataFolder + kDataFileName;
  const String backupFile = dataFolder + kBackupFileName;
  const String defaultsFile = exeFolder + kDefaultsFileName;
  TStringList current, backup, defaults;
  try {
    bool whole = false;
    // An intact data.txt is not written again: its time tells when the
    // counters were last saved, which the start compares with the log's.
    bool mended = !FileExists(dataFile);
    if (!mended) {
      LoadIfExists(current, dataFile);
      whole = ReadsWhole(current);
      for (int i = 0; i < 2; ++i)
        if (EndsWithEmptyLine(current)) {
          current.Delete(current.Count() - 1);
          mended = true;
        }
      if (current.Count() > 0 && Trim(current.Get(0)) != kDataSection) {
        current.Insert(0, kDataSection);
        mended = true;
      }
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
    for (const String& key : RepairedKeys()) {
      if (!current.Values(key).empty()) continue;
      mended = true;
      String value = backup.Values(key);
      current.SetValues(key, value.empty() ? defaults.Values(key) : value);
      if (current.Values(key).empty()) current.SetValues(key, L" ");
    }
    if (mended) {
      WaitWhileFileLocked(dataFile);
      current.SaveToFile(dataFile);
    }
    if (whole) {
      PumpedDelay(100);
      current.SaveToFile(backupFile);
    }
  } catch (...) {
    // The repair runs at every start and must never stop it.
  }
}
