#include "framework/Registry.h"

#include <vector>

namespace {

// A key opened for one call; the registry object's current key is its own.
class TOpenedKey {
 public:
  TOpenedKey() = default;
  ~TOpenedKey() {
    if (FKey) RegCloseKey(FKey);
  }
  TOpenedKey(const TOpenedKey&) = delete;
  TOpenedKey& operator=(const TOpenedKey&) = delete;

  HKEY get() const { return FKey; }
  HKEY* Receive() { return &FKey; }  // for RegOpenKeyExW to fill

 private:
  HKEY FKey = nullptr;
};

}  // namespace

TRegistry::TRegistry(REGSAM access) : FAccess(access) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY value) {
  CloseKey();
  FRootKey = value;
}

String TRegistry::Relative(const String& key) { return (!key.empty() && key[0] == L'\\') ? key.substr(1) : key; }

bool TRegistry::OpenKey(const String& key, bool canCreate) {
  const String path = Relative(key);
  HKEY opened = nullptr;
  LSTATUS status;
  if (canCreate) {
    status = RegCreateKeyExW(FRootKey, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess, nullptr, &opened,
                             nullptr);
  } else {
    status = RegOpenKeyExW(FRootKey, path.c_str(), 0, FAccess, &opened);
  }
  if (status != ERROR_SUCCESS) return false;
  CloseKey();
  FCurrentKey = opened;
  FCurrentPath = path;
  return true;
}

bool TRegistry::OpenKeyReadOnly(const String& key) {
  // Keep the view flags (WOW64) of the chosen access.
  const REGSAM saved = FAccess;
  FAccess = KEY_READ | (saved & (KEY_WOW64_64KEY | KEY_WOW64_32KEY));
  const bool ok = OpenKey(key, false);
  FAccess = saved;
  return ok;
}

void TRegistry::CloseKey() {
  if (FCurrentKey) {
    RegCloseKey(FCurrentKey);
    FCurrentKey = nullptr;
    FCurrentPath.clear();
  }
}

bool TRegistry::KeyExists(const String& key) const {
  TOpenedKey probe;
  const REGSAM view = FAccess & (KEY_WOW64_64KEY | KEY_WOW64_32KEY);
  return RegOpenKeyExW(FRootKey, Relative(key).c_str(), 0, KEY_QUERY_VALUE | view, probe.Receive()) == ERROR_SUCCESS;
}

bool TRegistry::DeleteKey(const String& key) {
  const String path = Relative(key);
  const REGSAM view = FAccess & (KEY_WOW64_64KEY | KEY_WOW64_32KEY);
  // RegDeleteTree would do, but not every version has it; walk down ourselves.
  std::vector<String> children;
  {
    TOpenedKey k;
    if (RegOpenKeyExW(FRootKey, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | view, k.Receive()) !=
        ERROR_SUCCESS)
      return false;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
      DWORD length = 256;
      if (RegEnumKeyExW(k.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      children.emplace_back(name, length);
    }
  }
  for (const auto& child : children) DeleteKey(path + L"\\" + child);
  return RegDeleteKeyExW(FRootKey, path.c_str(), view, 0) == ERROR_SUCCESS;
}

void TRegistry::CheckOpen() const {
  if (!FCurrentKey) throw ERegistryException(L"No registry key is open");
}

bool TRegistry::ValueExists(const String& name) const {
  return FCurrentKey &&
         RegQueryValueExW(FCurrentKey, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const String& name) {
  return FCurrentKey && RegDeleteValueW(FCurrentKey, name.c_str()) == ERROR_SUCCESS;
}

void TRegistry::WriteString(const String& name, const String& value) {
  CheckOpen();
  const auto bytes = DWORD((value.size() + 1) * sizeof(wchar_t));
  if (RegSetValueExW(FCurrentKey, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) !=
      ERROR_SUCCESS)
    throw ERegistryException(L"Failed to set data for '" + name + L"'");
}

String TRegistry::ReadString(const String& name) const {
  if (!FCurrentKey) return String();
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(FCurrentKey, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return String();
  if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException(L"Invalid data type for '" + name + L"'");
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
  size = DWORD(buffer.size() * sizeof(wchar_t));
  if (RegQueryValueExW(FCurrentKey, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
      ERROR_SUCCESS)
    return String();
  // The stored text may or may not end with its terminator.
  String value(buffer.data(), size / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return value;
}

void TRegistry::WriteInteger(const String& name, int value) {
  CheckOpen();
  const DWORD data = DWORD(value);
  if (RegSetValueExW(FCurrentKey, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) !=
      ERROR_SUCCESS)
    throw ERegistryException(L"Failed to set data for '" + name + L"'");
}

int TRegistry::ReadInteger(const String& name) const {
  CheckOpen();
  DWORD type = 0, data = 0, size = sizeof data;
  const LSTATUS status = RegQueryValueExW(FCurrentKey, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data),
                                          &size);
  if (status != ERROR_SUCCESS) throw ERegistryException(L"Failed to get data for '" + name + L"'");
  if (type != REG_DWORD || size != sizeof data) throw ERegistryException(L"Invalid data type for '" + name + L"'");
  return int(data);
}

void TRegistry::WriteBool(const String& name, bool value) { WriteInteger(name, value ? 1 : 0); }

bool TRegistry::ReadBool(const String& name) const { return ReadInteger(name) != 0; }
