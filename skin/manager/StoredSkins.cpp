#include "skin/manager/StoredSkins.h"

#include "skin/manager/SkinManager.h"

TsStoredSkin::TsStoredSkin(TCollection* collection) : TCollectionItem(collection) {
  if (auto* skins = dynamic_cast<TsStoredSkins*>(collection); skins && skins->Owner())
    skins->Owner()->SkinListChanged();
}

void TsStoredSkin::Assign(const TPersistent& source) {
  auto* s = dynamic_cast<const TsStoredSkin*>(&source);
  if (!s) return TCollectionItem::Assign(source);
  Data = s->Data;
  MasterBitmap->Assign(*s->MasterBitmap);
  Name = s->Name;
  Author = s->Author;
  Version = s->Version;
  BorderColor = s->BorderColor;
  Description = s->Description;
  Shadow1Blur = s->Shadow1Blur;
  Shadow1Color = s->Shadow1Color;
  Shadow1Offset = s->Shadow1Offset;
  Shadow1Transparency = s->Shadow1Transparency;
}

TsStoredSkins::TsStoredSkins(TsSkinManager* owner)
    : TCollection([](TCollection* c) { return new TsStoredSkin(c); }), FOwner(owner) {}

int TsStoredSkins::IndexOf(const String& name) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Name == name) return i;
  return -1;
}

void TsStoredSkins::Update(TCollectionItem*) {
  if (FOwner && FOwner->OnSkinListChanged) FOwner->OnSkinListChanged(FOwner);
}

std::string ResourceBytes(const wchar_t* name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!info) return std::string();
  HGLOBAL data = LoadResource(module, info);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) return std::string();
  return std::string(static_cast<const char*>(bytes), SizeofResource(module, info));
}
