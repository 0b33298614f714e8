#include "framework/Menus.h"

#include <algorithm>

namespace {
// Menu commands share the 16-bit id space of WM_COMMAND across the process.
UINT NextCommand() {
  static UINT next = 0x100;
  UINT c = next++;
  if (next > 0xEFFF) next = 0x100;
  return c;
}
}  // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(NextCommand()) {}

TMenuItem::~TMenuItem() {
  Destroying_();
  for (TMenuItem* item : FItems) item->FParent = nullptr;
  if (FParent) FParent->Remove(this);
}

void TMenuItem::SetEnabled(bool v) {
  FEnabled = v;
  if (FOwnerMenu) EnableMenuItem(FOwnerMenu, FCommand, MF_BYCOMMAND | (v ? MF_ENABLED : MF_GRAYED));
}

void TMenuItem::Add(TMenuItem* item) {
  if (item->FParent) item->FParent->Remove(item);
  item->FParent = this;
  FItems.push_back(item);
}

void TMenuItem::Remove(TMenuItem* item) {
  FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
  item->FParent = nullptr;
}

TMenuItem* TMenuItem::FindByCommand(UINT command) {
  if (command == FCommand) return this;
  for (TMenuItem* item : FItems)
    if (TMenuItem* found = item->FindByCommand(command)) return found;
  return nullptr;
}

void TMenuItem::Click() {
  if (FEnabled && OnClick) OnClick(this);
}

void TMenuItem::AppendTo(HMENU menu) const {
  FOwnerMenu = menu;
  if (IsLine()) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    return;
  }
  UINT flags = MF_STRING | (FEnabled ? 0 : MF_GRAYED);
  if (FItems.empty()) {
    AppendMenuW(menu, flags, FCommand, FCaption.c_str());
    return;
  }
  HMENU popup = CreatePopupMenu();
  for (const TMenuItem* item : FItems) item->AppendTo(popup);
  AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(popup), FCaption.c_str());
}

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(this)) {}

TMainMenu::~TMainMenu() {
  Destroying_();
  // A menu still attached to a window is destroyed with it.
  if (FHandle && !IsMenu(FHandle)) FHandle = nullptr;
}

HMENU TMainMenu::Handle() {
  if (!FHandle || !IsMenu(FHandle)) {
    FHandle = CreateMenu();
    for (int i = 0; i < FItems->Count(); ++i) FItems->Items(i)->AppendTo(FHandle);
  }
  return FHandle;
}

bool TMainMenu::DispatchCommand(UINT command) {
  TMenuItem* item = FItems->FindByCommand(command);
  if (!item || item == FItems) return false;
  item->Click();
  return true;
}
