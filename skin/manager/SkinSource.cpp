#include "skin/manager/SkinSource.h"

#include "framework/System.h"

namespace {

constexpr int64_t MaxSkinFileSize = 256ll << 20;

String InternalFormatError(const String& name) {
  return L"Internal format error in the \"" + name + L"\" skin. Please, update this skin to latest version.";
}

bool ReadPackage(const std::string& bytes, TacSkinSource& source) {
  source.Reader = std::make_unique<TacSkinConvertor>();
  TacPackedError error = ReadPackedSkin(bytes.data(), bytes.size(), *source.Reader);
  if (error != TacPackedError::None || !source.Reader->Options) {
    source.Error = error == TacPackedError::None ? InternalFormatError(source.Name)
                                                 : PackedErrorText(error) + L"\r\n" + InternalFormatError(source.Name);
    source.Reader.reset();
    return false;
  }
  source.OptionText = *source.Reader->Options;
  return true;
}

}  // namespace

std::optional<std::string> ReadSkinFile(const String& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  TOwnedHandle file(h);
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h, &size) || size.QuadPart > MaxSkinFileSize) return std::nullopt;
  std::string bytes(size_t(size.QuadPart), '\0');
  DWORD got = 0;
  if (!bytes.empty() && (!::ReadFile(h, bytes.data(), DWORD(bytes.size()), &got, nullptr) || got != bytes.size()))
    return std::nullopt;
  return bytes;
}

String ResolveSkinDirectory(const String& directory) {
  String dir = directory.empty() ? String(L"c:\\Skins") : directory;
  if (dir.back() != L'\\' && dir.back() != L'/') dir += L'\\';
  return dir;
}

std::optional<std::string> TacSkinSource::ReadFile(const String& fileName) const {
  if (Reader) {
    if (const TacFileItem* item = Reader->FindUpper(UpperCase(fileName))) return item->Data;
    return std::nullopt;
  }
  if (Origin != TacSkinOrigin::Folder && Origin != TacSkinOrigin::Received) return std::nullopt;
  return ReadSkinFile(fileName.find(L':') != String::npos ? fileName : Folder + fileName);
}

TacSkinSource FindSkin(const String& skinDirectory, const String& skinName, const TsStoredSkins& internal) {
  TacSkinSource source;
  source.Name = skinName;
  const String dir = ResolveSkinDirectory(skinDirectory);
  if (!skinName.empty()) {
    const String folder = dir + skinName + L"\\";
    if (auto text = ReadSkinFile(folder + L"Options.dat")) {
      source.Origin = TacSkinOrigin::Folder;
      source.Folder = folder;
      source.OptionText = std::move(*text);
      return source;
    }
    if (auto bytes = ReadSkinFile(dir + skinName + L".skz")) {
      source.Origin = TacSkinOrigin::Packed;
      ReadPackage(*bytes, source);
      return source;
    }
  }
  int index = internal.IndexOf(skinName);
  if (index < 0 && internal.Count() > 0) index = 0;
  if (index < 0) return source;
  const TsStoredSkin* skin = internal.Items(index);
  source.Origin = TacSkinOrigin::Internal;
  source.Name = skin->Name;
  // An internal skin without data is chosen but gives no option text.
  if (!skin->Data.empty()) ReadPackage(skin->Data, source);
  return source;
}
