#pragma once
// Font files carried in memory (by a skin or by a character list) and made
// known to this process only while an item holds them: nothing is
// installed on the machine.
#include <windows.h>

#include "framework/Collection.h"
#include "framework/Streams.h"

class TacEmbeddedFont : public TCollectionItem {
 public:
  explicit TacEmbeddedFont(TCollection* collection);
  ~TacEmbeddedFont() override;

  const String& FileName() const { return FFileName; }
  void SetFileName(const String& value) { FFileName = value; }
  const String& FontName() const { return FFontName; }
  void SetFontName(const String& value) { FFontName = value; }
  // The whole font file (the stream's size query is not const).
  TMemoryStream& FontData() const { return FFontData; }
  // The registration, nullptr while the font is not known to the process.
  HANDLE FontHandle() const { return FFontHandle; }

  // Names and bytes of another font item. The bytes replace what this item
  // held: appending them would join two font files into one broken file.
  // A registration of the old bytes is dropped with them.
  void Assign(const TPersistent& source) override;
  void AssignTo(TPersistent* dest) const;

  // The binary property "FontData" of a form stream: name, tag 0x0A, a
  // 32-bit little-endian count and the bytes. Reading replaces the bytes and
  // returns false (bytes untouched) for another property or a short value.
  void WriteFontData(TStream& stream) const;
  bool ReadFontData(TStream& stream);

 private:
  friend bool RegisterEmbeddedFont(TacEmbeddedFont& item);
  void Unregister();
  String FFileName;
  String FFontName;
  mutable TMemoryStream FFontData;
  HANDLE FFontHandle = nullptr;
};

// Fonts of a skin (owner nullptr) or of a character list (the list). A list's
// collection (LeadsWithIconFont) always begins with the data-less entry of
// the built-in icon font, which the program registers from its own resource.
class TacEmbeddedFonts : public TCollection {
 public:
  explicit TacEmbeddedFonts(TPersistent* owner, bool leadsWithIconFont = false);
  ~TacEmbeddedFonts() override;

  TPersistent* Owner() const { return FOwner; }
  TacEmbeddedFont* Add() { return static_cast<TacEmbeddedFont*>(TCollection::Add()); }
  TacEmbeddedFont* Items(int index) const { return static_cast<TacEmbeddedFont*>(TCollection::Items(index)); }
  void Assign(const TPersistent& source) override;

 private:
  TPersistent* FOwner;
  bool FLeadsWithIconFont;
};

// Makes the item's font known to the process (again, when it was); an item
// without bytes, or one the system refuses, ends without registration.
bool RegisterEmbeddedFont(TacEmbeddedFont& item);
