#include "skin/imagelists/EmbeddedFonts.h"

#include <cstdint>
#include <string>

#include "skin/imagelists/IconFont.h"

namespace {
const char kFontDataName[] = "FontData";
constexpr uint8_t kBinaryTag = 0x0A;
}  // namespace

TacEmbeddedFont::TacEmbeddedFont(TCollection* collection) : TCollectionItem(collection) {}

TacEmbeddedFont::~TacEmbeddedFont() { Unregister(); }

void TacEmbeddedFont::Unregister() {
  if (FFontHandle) RemoveFontMemResourceEx(FFontHandle);
  FFontHandle = nullptr;
}

void TacEmbeddedFont::Assign(const TPersistent& source) {
  auto* font = dynamic_cast<const TacEmbeddedFont*>(&source);
  if (!font) return TCollectionItem::Assign(source);
  if (font == this) return;
  FFileName = font->FFileName;
  FFontName = font->FFontName;
  Unregister();
  FFontData.Clear();
  if (font->FFontData.Size() > 0) FFontData.WriteBuffer(font->FFontData.Memory(), font->FFontData.Size());
  FFontData.SetPosition(0);
  Changed();
}

void TacEmbeddedFont::AssignTo(TPersistent* dest) const {
  if (!dest) throw EConvertError(L"Cannot assign a font to nil");
  dest->Assign(*this);
}

void TacEmbeddedFont::WriteFontData(TStream& stream) const {
  const uint8_t nameLength = sizeof(kFontDataName) - 1;
  stream.WriteBuffer(&nameLength, 1);
  stream.WriteBuffer(kFontDataName, nameLength);
  stream.WriteBuffer(&kBinaryTag, 1);
  const uint32_t count = static_cast<uint32_t>(FFontData.Size());
  const uint8_t le[4] = {uint8_t(count), uint8_t(count >> 8), uint8_t(count >> 16), uint8_t(count >> 24)};
  stream.WriteBuffer(le, 4);
  if (count) stream.WriteBuffer(FFontData.Memory(), count);
}

bool TacEmbeddedFont::ReadFontData(TStream& stream) {
  uint8_t nameLength = 0;
  if (stream.Read(&nameLength, 1) != 1 || nameLength != sizeof(kFontDataName) - 1) return false;
  std::string name(nameLength, '\0');
  if (stream.Read(name.data(), nameLength) != nameLength || name != kFontDataName) return false;
  uint8_t tag = 0, le[4] = {};
  if (stream.Read(&tag, 1) != 1 || tag != kBinaryTag || stream.Read(le, 4) != 4) return false;
  const int64_t count = int64_t(le[0]) | int64_t(le[1]) << 8 | int64_t(le[2]) << 16 | int64_t(le[3]) << 24;
  // A count beyond the stream is a damaged value, not a font to allocate for.
  if (count > stream.Size() - stream.Position()) return false;
  TMemoryStream bytes;
  bytes.SetSize(count);
  if (count && stream.Read(bytes.Memory(), count) != count) return false;
  Unregister();
  FFontData.Clear();
  if (count) FFontData.WriteBuffer(bytes.Memory(), count);
  FFontData.SetPosition(0);
  return true;
}

bool RegisterEmbeddedFont(TacEmbeddedFont& item) {
  item.Unregister();
  if (item.FFontData.Size() <= 0) return false;
  DWORD faces = 1;
  item.FFontHandle = AddFontMemResourceEx(item.FFontData.Memory(), static_cast<DWORD>(item.FFontData.Size()), nullptr,
                                          &faces);
  return item.FFontHandle != nullptr;
}

TacEmbeddedFonts::TacEmbeddedFonts(TPersistent* owner, bool leadsWithIconFont)
    : TCollection([](TCollection* c) { return new TacEmbeddedFont(c); }),
      FOwner(owner),
      FLeadsWithIconFont(leadsWithIconFont) {}

TacEmbeddedFonts::~TacEmbeddedFonts() {
  Clear();
  FOwner = nullptr;
}

void TacEmbeddedFonts::Assign(const TPersistent& source) {
  auto* fonts = dynamic_cast<const TacEmbeddedFonts*>(&source);
  if (!fonts) return TCollection::Assign(source);
  if (fonts == this) return;
  BeginUpdate();
  Clear();
  if (FLeadsWithIconFont && (fonts->Count() == 0 || fonts->Items(0)->FontData().Size() > 0))
    Add()->SetFontName(kIconFontName);
  for (int i = 0; i < fonts->Count(); ++i) Add()->Assign(*fonts->Items(i));
  EndUpdate();
}
