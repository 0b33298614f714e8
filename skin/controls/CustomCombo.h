#pragma once
// The skinned combo box: an edit whose list is a pop-up form of item rows
// dropped down by the global pop-up controller, not the system's combo box.
// TacCustomCombo holds the item logic (keys, type-ahead, drop-down, the
// painting of items and face), TsCustomComboBox the string items and the
// style, TsComboBox only publishes.
#include <cstdint>
#include <functional>

#include "framework/ComboBox.h"
#include "framework/ControlCanvas.h"
#include "framework/ListBox.h"
#include "skin/controls/ComboItemDrawing.h"
#include "skin/controls/ComboStyle.h"
#include "skin/controls/ComboTypeAhead.h"
#include "skin/controls/CustomComboEdit.h"
#include "skin/effects/PopupController.h"

class TacItemsPopupForm;
class TacSimpleBox;
class TBitmap;

// Paint flags of an item or the face.
constexpr uint16_t acItemSelected = 0x1;
constexpr uint16_t acItemFocused = 0x10;
constexpr uint16_t acItemFace = 0x1000;

// StateBits of the combo's skin state.
constexpr uint32_t acsSearching = 0x2000;   // a type-ahead search changes the text
constexpr uint32_t acsNoChange = 0x100000;  // the text changes without OnChange

// OnDrawItem of the owner-draw styles: the item's rectangle on ItemCanvas.
using TacDrawItemEvent = TDrawItemEvent;

class TacCustomCombo : public TsCustomComboEdit {
 public:
  explicit TacCustomCombo(TComponent* Owner);
  ~TacCustomCombo() override;

  virtual String GetDisplayText(int Index) const = 0;
  virtual int GetItemCount() const = 0;
  virtual bool IsOwnerDraw() const = 0;
  virtual bool IsListStyle() const = 0;
  virtual bool IsValidItem(int Index) const { return Index >= 0 && Index < GetItemCount(); }
  virtual bool AllowTyping() const { return true; }
  virtual bool CanDropDown() const { return true; }
  virtual bool IsSimpleStyle() const { return false; }
  virtual bool CaseSensitiveSearch() const { return false; }

  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Index) { DoSetItemIndex(Index); }
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value; }
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value) { FItemHeight = Value; }
  int MinPopupWidth() const { return FMinPopupWidth; }
  void SetMinPopupWidth(int Value) { FMinPopupWidth = Value; }
  bool DropInplace() const { return FDropInplace; }
  void SetDropInplace(bool Value) { FDropInplace = Value; }
  bool AllowMouseWheel() const { return FAllowMouseWheel; }
  void SetAllowMouseWheel(bool Value) { FAllowMouseWheel = Value; }

  // Opens the list, or closes the open one.
  void DropDown() override;
  void CloseUp() override;
  // The pop-up active flag: from the start of a drop-down until the list closed.
  bool DroppedDown() const { return PopupActive(); }
  TacItemsPopupForm* PopupForm() const { return FPopupForm; }
  // The simple style's list under the edit, else nil.
  TacSimpleBox* SimpleBox() const { return FSimpleBox; }
  // The item-selection of the keys and the wheel: clamped, then OnClick and
  // OnSelect or OnChange when it changed.
  void SelectItem(int Index);
  // One item (or the face, with acItemFace) into R of Bmp.
  virtual void PaintItem(TBitmap& Bmp, int Index, uint16_t Flags, const RECT& R);
  // The pop-up form's close handler and destructor report here.
  void PopupFormClosing(TacItemsPopupForm* Form);
  void PopupFormGone(TacItemsPopupForm* Form);
  // The pop-up's rows were picked: the pick's selection and events.
  void PickItem(int Index);
  // No item shows: the face would show the text hint.
  bool ShowsNoItem() { return (IsListStyle() && !IsValidItem(FItemIndex)) || IsTextEmpty(); }
  // After a pick on an empty combo the hint flies out into the bound label.
  void LabelFromHintAfterPick(bool WasEmpty);
  int GetCount() const { return GetItemCount(); }
  TacTypeAhead& TypeAhead() { return FTypeAhead; }
  const TacTypeAhead& TypeAhead() const { return FTypeAhead; }

  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnSelect;
  TacDrawItemEvent OnDrawItem;

  // Item images, drawn beside the texts of the item-draw-data path; in the
  // list styles they take a column of their own outside the edit.
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  virtual bool HasItemImages() const { return FImages && IsListStyle(); }
  // Between an item's image and its text, and around the text block.
  int ItemSpacing() const { return GlyphSpacing(); }
  // The arrow's place in the window, as the skin draws it.
  virtual void ArrowRect(RECT& Rect);
  virtual void AddItem(const String& Text, TObject* Object) = 0;
  // OnDrawItem draws here: switched onto the bitmap the item is painted in.
  TCanvas& ItemCanvas() { return FItemCanvas; }
  TacGetItemDrawData OnGetItemDrawData;

 protected:
  virtual void DoGetItemDrawData(TacItemDrawData& Data);
  void Notification(TComponent* Component, TOperation Operation) override;
  // The item through OnDrawItem on ItemCanvas, with its origin at R for a row.
  void OwnerDrawItem(TBitmap& Bmp, int Index, uint16_t Flags, const RECT& R, COLORREF Back, COLORREF Text);
  // The item through OnGetItemDrawData and the item drawing.
  void DrawItemData(TBitmap& Bmp, int Index, uint16_t Flags, const RECT& R, COLORREF Text, int TextSection);
  // The images or the style changed: the image column and the face follow.
  void ImagesChanged();
  virtual void DoSetItemIndex(int Index);
  virtual void ResetDropDownState();
  virtual bool HandleKeyDown(WORD& Key);
  virtual bool HandleCharKey(wchar_t& Key);
  virtual bool AutoCompleteSearch();
  virtual void DoDropDown();
  virtual void Select();
  virtual void ItemsChanged();
  // The simple style's list, when the style asks for it and the window exists.
  virtual void CreateSimpleBox();
  void FreeSimpleBox();
  void AssignSimpleBoxItems();
  void Change() override;
  void TextChanged() override;
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void Loaded() override;
  void WndProc(TMessage& Message) override;
  bool SkinStage1(TMessage& Message) override;
  // The face: the item, or the edit's text or hint.
  void DrawEditText() override;
  // Tab keeps the list open unless AutoCloseUp.
  virtual bool TabClosesList() const { return true; }
  void ClosePopupForm();
  bool IsTextEmpty() override;
  bool PlainListFace() const;
  uint16_t FaceState() const;
  void CloseAllPopups();
  // The item equal to S in any case; -1 when none.
  int IndexOfText(const String& S) const;
  // The edit's text changed (EN_CHANGE, or without a window the stored text).
  void EditTextChanged();
  void UpdateText();
  virtual String ItemText(int Index) const = 0;

  int FItemIndex = -1;
  bool FInSelect = false;
  bool FClosing = false;
  TacItemsPopupForm* FPopupForm = nullptr;
  TacSimpleBox* FSimpleBox = nullptr;

 private:
  bool HandleMouseDown();
  static void ArrowRotationStep(TacPopupStep& Step);
  int FDropDownCount = 16;
  int FItemHeight = 0;
  int FMinPopupWidth = 0;
  bool FDropInplace = false;
  bool FAllowMouseWheel = true;
  TacTypeAhead FTypeAhead;
  TControlCanvas FItemCanvas{this};
  TCustomImageList* FImages = nullptr;
  TChangeLink FImagesLink;
};

class TsCustomComboBox;

// The items: text cut at its first NUL; emptied, the combo forgets its item.
class TacComboBoxStrings : public TStringList {
 public:
  explicit TacComboBoxStrings(TsCustomComboBox& Combo) : FCombo(Combo) {}
  int Add(const String& S) override;
  int AddObject(const String& S, TObject* Object) override;
  void Clear() override;

 protected:
  void Changed() override;

 private:
  TsCustomComboBox& FCombo;
};

class TsCustomComboBox : public TacCustomCombo {
 public:
  explicit TsCustomComboBox(TComponent* Owner);
  ~TsCustomComboBox() override;

  TStrings& Items() { return FItems; }
  const TStrings& Items() const { return FItems; }
  TComboBoxStyle Style() const { return FStyle; }
  // Text, item and items emptied, without OnChange.
  void Clear();
  void SetStyle(TComboBoxStyle Value);
  bool Sorted() const { return FItems.Sorted(); }
  void SetSorted(bool Value) { FItems.SetSorted(Value); }
  bool AutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool Value) { FAutoComplete = Value; }
  unsigned AutoCompleteDelay() const { return TypeAhead().Delay(); }
  void SetAutoCompleteDelay(unsigned Value) { TypeAhead().SetDelay(Value); }
  bool AutoCloseUp() const { return FAutoCloseUp; }
  void SetAutoCloseUp(bool Value) { FAutoCloseUp = Value; }
  bool AutoDropDown() const { return FAutoDropDown; }
  void SetAutoDropDown(bool Value) { FAutoDropDown = Value; }

  String GetDisplayText(int Index) const override;
  int GetItemCount() const override { return FItems.Count(); }
  bool IsOwnerDraw() const override { return IsOwnerDrawComboStyle(FStyle); }
  bool IsListStyle() const override { return IsListComboStyle(FStyle); }
  bool CanDropDown() const override { return FStyle != TComboBoxStyle::csSimple; }
  void AddItem(const String& Text, TObject* Object) override { FItems.AddObject(Text, Object); }
  bool IsSimpleStyle() const override { return FStyle == TComboBoxStyle::csSimple && HandleAllocated(); }
  // The simple style's list is always shown: it has no button to open it.
  bool ShowButton() const override { return FStyle != TComboBoxStyle::csSimple && TacCustomCombo::ShowButton(); }

 protected:
  friend class TacComboBoxStrings;
  bool AutoCompleteSearch() override;
  bool TabClosesList() const override { return FAutoCloseUp; }
  String ItemText(int Index) const override;
  void ItemsEmptied();

 private:
  TacComboBoxStrings FItems;
  TComboBoxStyle FStyle = TComboBoxStyle::csDropDown;
  bool FAutoComplete = true;
  bool FAutoCloseUp = false;
  bool FAutoDropDown = false;
};

class TsComboBox : public TsCustomComboBox {
 public:
  explicit TsComboBox(TComponent* Owner) : TsCustomComboBox(Owner) { AfterConstruction(); }
};
