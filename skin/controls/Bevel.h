#pragma once
// TsBevel: the bevel's lines or frame cut from a skin section ("GROUPBOX"
// for a frame, "PANEL_LOW" or "PANEL" by style otherwise), three pixels
// thick; without a skin the framework's bevel.
#include "framework/Bevel.h"
#include "skin/state/CommonData.h"

#include <memory>

class TsBevel : public TBevel {
 public:
  explicit TsBevel(TComponent* Owner);
  ~TsBevel() override;

  TsCommonData* SkinData() const { return FSkinData.get(); }
  // Notices a changed Shape or Style: the section follows it.
  void Invalidate() override;

 protected:
  void Loaded() override;
  void Paint(TCanvas& Canvas) override;
  void WndProc(TMessage& Message) override;
  void BoundsChanged() override;

 private:
  void UpdateSection();
  bool Skinned() const;
  void BuildCache();

  std::unique_ptr<TsCommonData> FSkinData;
  TBevelShape FLastShape;
  TBevelStyle FLastStyle;
};
