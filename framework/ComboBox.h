#pragma once
// A drop-down list over the system COMBOBOX class.
#include "framework/StringList.h"
#include "framework/WinControl.h"

// The system combo shows the simple and owner-draw styles as csDropDown; the
// skinned combo draws every style itself.
enum class TComboBoxStyle { csDropDown, csDropDownList, csSimple, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox;

class TComboBoxItems : public TStringList {
 public:
  explicit TComboBoxItems(TComboBox& combo) : FCombo(combo) {}

 protected:
  void Changed() override;

 private:
  TComboBox& FCombo;
};

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);

  TStrings& Items() { return FItems; }
  int ItemIndex() const;
  // Selecting from code raises no OnChange; only the user's choice does.
  void SetItemIndex(int index);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle v) {
    FStyle = v;
    RecreateWnd();
  }
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int v) { FDropDownCount = v; }

  void SetBounds(int left, int top, int width, int height) override;

  TNotifyEvent OnChange;

 protected:
  friend class TComboBoxItems;
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void SaveWndState() override;
  void WndProc(TMessage& message) override;
  String GetText() const override;
  void StoreText(const String& s) override;
  void ItemsChanged();
  virtual void Change();

 private:
  TComboBoxItems FItems;
  int FItemIndex = -1;
  TComboBoxStyle FStyle = TComboBoxStyle::csDropDown;
  int FDropDownCount = 10;
};
