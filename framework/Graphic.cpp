#include "framework/Graphic.h"

#include <algorithm>
#include <vector>

#include "framework/Streams.h"

namespace {

// Pictures are opened on the GUI thread only; the table needs no lock.
std::vector<TGraphicFormat>& Formats() {
  static std::vector<TGraphicFormat> Table;
  return Table;
}

std::vector<TGraphicFormat>::iterator FindFormat(const String& Extension) {
  auto& Table = Formats();
  return std::find_if(Table.begin(), Table.end(),
                      [&](const TGraphicFormat& f) { return SameText(f.Extension, Extension); });
}

}  // namespace

void TGraphic::LoadFromFile(const String& FileName) {
  TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(Stream);
}

void RegisterGraphicFormat(const String& Extension, const String& Description, TGraphicFactory Create) {
  auto Found = FindFormat(Extension);
  if (Found != Formats().end())
    *Found = TGraphicFormat{Extension, Description, std::move(Create)};
  else
    Formats().push_back(TGraphicFormat{Extension, Description, std::move(Create)});
}

void UnregisterGraphicFormat(const String& Extension) {
  auto Found = FindFormat(Extension);
  if (Found != Formats().end()) Formats().erase(Found);
}

const TGraphicFormat* FindGraphicFormat(const String& Extension) {
  auto Found = FindFormat(Extension);
  return Found != Formats().end() ? &*Found : nullptr;
}

std::unique_ptr<TGraphic> LoadGraphicFromFile(const String& FileName) {
  String Extension = ExtractFileExt(FileName);
  if (!Extension.empty()) Extension.erase(0, 1);
  const TGraphicFormat* Format = FindGraphicFormat(Extension);
  if (!Format) throw EInvalidGraphic(L"Unknown picture file extension (." + Extension + L")");
  std::unique_ptr<TGraphic> Graphic = Format->Create();
  Graphic->LoadFromFile(FileName);
  return Graphic;
}
