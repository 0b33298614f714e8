#pragma once
// TsScrollWndData: the skin state of scrollable windows and form providers,
// with the sizes of their two scroll bars (-1: the skin's).
#include "skin/state/CommonData.h"

class TsScrollWndData;

class TacScrollData : public TPersistent {
 public:
  explicit TacScrollData(TsScrollWndData* Owner) : FOwner(Owner) {}
  TsScrollWndData* Owner() const { return FOwner; }
  int ScrollWidth() const { return FScrollWidth; }
  void SetScrollWidth(int Value);
  int ButtonsSize() const { return FButtonsSize; }
  void SetButtonsSize(int Value);

 private:
  TsScrollWndData* FOwner;
  int FScrollWidth = -1;
  int FButtonsSize = -1;
};

class TsScrollWndData : public TsCommonData {
 public:
  TsScrollWndData(TPersistent* AOwner, bool CreateCache)
      : TsCommonData(AOwner, CreateCache),
        VertScrollData(std::make_unique<TacScrollData>(this)),
        HorzScrollData(std::make_unique<TacScrollData>(this)) {}

  std::unique_ptr<TacScrollData> VertScrollData;
  std::unique_ptr<TacScrollData> HorzScrollData;
};
