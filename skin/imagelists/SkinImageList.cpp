#include "skin/imagelists/SkinImageList.h"

#include <algorithm>
#include <vector>

namespace {
// Every skin image list of the process: the skin manager walks them after a
// skin or density change.
std::vector<TacImageList*>& SkinImageLists() {
  static std::vector<TacImageList*> lists;
  return lists;
}
}  // namespace

TacImageList::TacImageList(TComponent* owner) : TImageList(owner) { SkinImageLists().push_back(this); }

TacImageList::~TacImageList() {
  auto& lists = SkinImageLists();
  lists.erase(std::remove(lists.begin(), lists.end(), this), lists.end());
}

void ForEachSkinImageList(const std::function<void(TacImageList&, intptr_t)>& proc, intptr_t data) {
  // A procedure may free or make lists: walk a copy, skipping the freed.
  std::vector<TacImageList*> lists = SkinImageLists();
  for (TacImageList* list : lists)
    if (std::find(SkinImageLists().begin(), SkinImageLists().end(), list) != SkinImageLists().end()) proc(*list, data);
}
