#pragma once
// Where a skin's option text and pictures come from, tried in order: a folder
// skin (SkinDirectory\Name\Options.dat), a packed file (SkinDirectory\Name.skz),
// then the internal skins.
#include "skin/manager/PackedSkin.h"
#include "skin/manager/StoredSkins.h"

#include <memory>
#include <optional>
#include <string>

enum class TacSkinOrigin { None, Received, Folder, Packed, Internal };

struct TacSkinSource {
  TacSkinOrigin Origin = TacSkinOrigin::None;
  std::string OptionText;
  std::unique_ptr<TacSkinConvertor> Reader;  // packed and internal skins
  String Folder;                             // folder skins: with a trailing "\"
  String Name;                               // the name finally used
  String Error;                              // why a found skin was refused

  bool Found() const { return Origin != TacSkinOrigin::None && Error.empty(); }
  // The bytes of one of the skin's picture files by the name the option text gives.
  std::optional<std::string> ReadFile(const String& fileName) const;
};

// "c:\Skins" for an empty directory; a trailing "\" is added.
String ResolveSkinDirectory(const String& directory);

TacSkinSource FindSkin(const String& skinDirectory, const String& skinName, const TsStoredSkins& internal);

// The whole of a file, or nothing; files larger than the cap are refused.
std::optional<std::string> ReadSkinFile(const String& path);
