#include "framework/Collection.h"

#include <algorithm>

TCollectionItem::TCollectionItem(TCollection* collection) : FCollection(collection) {
  if (FCollection) FCollection->FItems.push_back(this);
}

TCollectionItem::~TCollectionItem() {
  if (!FCollection) return;
  auto& items = FCollection->FItems;
  items.erase(std::remove(items.begin(), items.end(), this), items.end());
  FCollection->Changed(nullptr);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  const auto& items = FCollection->FItems;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::Changed() {
  if (FCollection) FCollection->Changed(this);
}

TCollection::~TCollection() {
  FUpdateCount = 1;  // no change reports while going
  Clear();
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = FFactory(this);
  Changed(nullptr);
  return item;
}

void TCollection::Delete(int index) { delete FItems.at(index); }

void TCollection::Clear() {
  ++FUpdateCount;
  while (!FItems.empty()) delete FItems.back();
  --FUpdateCount;
  Changed(nullptr);
}

void TCollection::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* item) {
  if (FUpdateCount == 0) Update(item);
}
