#pragma once
// A list of text lines over the system LISTBOX class. The lines live in the
// window while it exists (so every change passes through the window
// procedure as LB_ messages) and in the Items object while it does not.
// Owner-drawn styles paint each item through DrawItem / OnDrawItem.
#include "framework/BorderStyle.h"
#include "framework/StringList.h"
#include "framework/WinControl.h"

#include <vector>

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

// State is the DRAWITEMSTRUCT's itemState (ODS_SELECTED, ODS_FOCUS, ODS_DISABLED ...).
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, const RECT& Rect, UINT State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

class TCustomListBox;

class TListBoxStrings : public TStrings {
 public:
  explicit TListBoxStrings(TCustomListBox& listBox) : FListBox(listBox) {}
  int Count() const override;
  String Get(int i) const override;
  void Put(int i, const String& s) override;
  void Insert(int i, const String& s) override;
  void Delete(int i) override;
  void Clear() override;
  TObject* GetObject(int i) const override;
  void PutObject(int i, TObject* object) override;
  int Add(const String& s) override;

 private:
  friend class TCustomListBox;
  struct TItem {
    String Text;
    TObject* Object;
  };
  HWND Wnd() const;
  // Without a window the lines are kept here.
  std::vector<TItem> FItems;
  TCustomListBox& FListBox;
};

class TCustomListBox : public TWinControl {
 public:
  explicit TCustomListBox(TComponent* owner);

  TStrings& Items() { return FItems; }
  const TStrings& Items() const { return FItems; }
  int Count() const { return FItems.Count(); }
  void Clear() { FItems.Clear(); }
  int ItemIndex() const;
  virtual void SetItemIndex(int index);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool v);
  bool Selected(int index) const;
  void SetSelected(int index, bool v);
  int TopIndex() const;
  void SetTopIndex(int index);
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle v);
  // Height of every item in the fixed styles; 0 is the font's height.
  int ItemHeight() const;
  void SetItemHeight(int v);
  int Columns() const { return FColumns; }
  void SetColumns(int v);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);
  // The rectangle of an item in client coordinates; empty for an invalid index.
  RECT ItemRect(int index) const;
  // The item under p; with existing false a point below the last item gives Count.
  int ItemAtPos(POINT p, bool existing) const;

  TCanvas& Canvas() { return ControlCanvas(); }

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  friend class TListBoxStrings;
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void SaveWndState() override;
  void WndProc(TMessage& message) override;
  // Paints one item of an owner-drawn list: OnDrawItem when set, else the
  // item's text over the selection colours.
  virtual void DrawItem(int index, const RECT& rect, UINT state);
  virtual void MeasureItem(int index, int& height);
  bool IsOwnerDrawn() const { return FStyle != TListBoxStyle::lbStandard; }

 private:
  TListBoxStrings FItems;
  TListBoxStyle FStyle = TListBoxStyle::lbStandard;
  TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
  int FItemIndex = -1;
  int FTopIndex = 0;
  int FItemHeight = 16;
  int FColumns = 0;
  bool FMultiSelect = false;
  std::vector<int> FSelection;  // of a multi-select list while it has no window
};

class TListBox : public TCustomListBox {
 public:
  using TCustomListBox::TCustomListBox;
};
