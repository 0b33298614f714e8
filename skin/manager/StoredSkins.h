#pragma once
// Skins kept inside the program: packed skin bytes with a name, from the
// executable's resources.
#include "framework/Bitmap.h"
#include "framework/Collection.h"

#include <memory>
#include <string>

class TsSkinManager;

class TsStoredSkin : public TCollectionItem {
 public:
  explicit TsStoredSkin(TCollection* collection);

  String Name;
  std::unique_ptr<TBitmap> MasterBitmap = std::make_unique<TBitmap>();
  uint32_t Shadow1Color = 0;
  int Shadow1Offset = 0;
  int Shadow1Blur = -1;
  int Shadow1Transparency = 0;
  uint32_t BorderColor = 0xFF00FF;
  double Version = 0;
  String Author;
  String Description;
  String OriginName;
  // The packed skin bytes ("Data").
  std::string Data;

  void Assign(const TPersistent& source) override;
};

class TsStoredSkins : public TCollection {
 public:
  explicit TsStoredSkins(TsSkinManager* owner);
  TsSkinManager* Owner() const { return FOwner; }
  TsStoredSkin* Items(int index) const { return static_cast<TsStoredSkin*>(TCollection::Items(index)); }
  TsStoredSkin* Add() { return static_cast<TsStoredSkin*>(TCollection::Add()); }
  // The first item named exactly name (with case), -1 when none.
  int IndexOf(const String& name) const;
  // The collection is filled by adding items; assigning changes nothing.
  void Assign(const TPersistent&) override {}

 protected:
  void Update(TCollectionItem* item) override;

 private:
  TsSkinManager* FOwner;
};

// The bytes of an RCDATA resource of the running program, empty when missing.
std::string ResourceBytes(const wchar_t* name);
