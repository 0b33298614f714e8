#pragma once
// Menus: a tree of items that builds the Win32 menu and dispatches its commands.
#include "framework/Component.h"

#include <vector>

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& caption) { FCaption = caption; }
  bool IsLine() const { return FCaption == L"-"; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  UINT Command() const { return FCommand; }

  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int i) const { return FItems[i]; }
  TMenuItem* Parent() const { return FParent; }
  TMenuItem* FindByCommand(UINT command);

  TNotifyEvent OnClick;
  virtual void Click();

  // Appends this item (with its sub-items) to a Win32 menu.
  void AppendTo(HMENU menu) const;

 private:
  String FCaption;
  bool FEnabled = true;
  UINT FCommand;
  TMenuItem* FParent = nullptr;
  std::vector<TMenuItem*> FItems;
  mutable HMENU FOwnerMenu = nullptr;
};

class TMainMenu : public TComponent {
 public:
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;

  TMenuItem* Items() const { return FItems; }
  HMENU Handle();
  bool DispatchCommand(UINT command);

 private:
  TMenuItem* FItems;
  HMENU FHandle = nullptr;
};
