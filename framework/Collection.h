#pragma once
// Collections: a list that owns its items; each item knows its collection and
// its place in it.
#include "framework/Component.h"

#include <functional>
#include <memory>
#include <vector>

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  TCollection* Collection() const { return FCollection; }
  int Index() const;

 protected:
  // Tells the collection that this item changed.
  void Changed();

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
};

class TCollection : public TPersistent {
 public:
  using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
  explicit TCollection(TItemFactory factory) : FFactory(std::move(factory)) {}
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* Items(int index) const { return FItems.at(index); }
  // Makes a new item of the collection's item class at the end.
  TCollectionItem* Add();
  void Delete(int index);
  void Clear();

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

 protected:
  // An item changed (nullptr: the list itself); not called while updating.
  virtual void Update(TCollectionItem* item) {}

 private:
  friend class TCollectionItem;
  void Changed(TCollectionItem* item);
  TItemFactory FFactory;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
};
