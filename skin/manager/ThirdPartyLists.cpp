// The class names of foreign controls that the form skinning wraps: the
// manager's lists follow its ThirdParty texts, and empty texts fall back to
// the defaults.
#include "skin/core/SkinConstants.h"
#include "skin/manager/SkinManager.h"

void TsSkinManager::UpdateThirdPartyLists(bool resetAll) {
  for (int i = 0; i < acThirdPartyListCount; ++i) {
    if (resetAll || FThirdParty->Item(i).empty()) FThirdParty->SetItem(i, acDefaultClassNames[i]);
    FThirdLists[i].SetText(FThirdParty->Item(i));
  }
}

void TsSkinManager::StoreThirdPartyLists() {
  for (int i = 0; i < acThirdPartyListCount; ++i) FThirdParty->SetItem(i, FThirdLists[i].Text());
}

void LoadThirdPartyLists(const TsThirdPartyList& List, TacClassLists& Lists, bool& AnyFilled) {
  AnyFilled = false;
  for (int i = 0; i < acThirdPartyListCount; ++i) {
    Lists[i].SetText(List.Item(i));
    if (!List.Item(i).empty()) AnyFilled = true;
  }
}

bool InStringLists(const TacClassLists& Lists, const String& Name) {
  for (const TStringList& list : Lists)
    for (int i = 0; i < list.Count(); ++i)
      if (list.Get(i) == Name) return true;
  return false;
}
