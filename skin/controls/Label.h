#pragma once
// The skinned labels: TsCustomLabel draws its caption in the colour of the
// skin under it (the skin's font colour, or with TsLabel the font colour of
// the section its parent paints there), optionally over a section of its
// own. Labels have no window: they paint on their parent's canvas, own no
// skin state and keep no cache.
#include "framework/Label.h"
#include "skin/core/SkinCommand.h"

class TsSkinManager;

class TsCustomLabel : public TLabel {
 public:
  explicit TsCustomLabel(TComponent* Owner);

  // Nil: the default manager.
  TsSkinManager* SkinManager() const { return FSkinManager; }
  void SetSkinManager(TsSkinManager* Value);
  const String& SkinSection() const { return FSkinSection; }
  void SetSkinSection(const String& Value);
  bool KeepParentFont() const { return FKeepParentFont; }
  bool TransparentForMouse() const { return FTransparentForMouse; }
  void SetTransparentForMouse(bool Value) { FTransparentForMouse = Value; }
  // 0, 1 (opaque on layered parents) or 2 (anti-aliased text), from AC_SETOPAQUE.
  uint8_t TranspMode() const { return FTranspMode; }

  // The section index, looked up once per paint; -1 without a loaded skin or section.
  int GetSkinIndex();
  virtual TFont& TextFont() { return Font(); }
  virtual TColor TextColor();

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

 protected:
  void Paint(TCanvas& Canvas) override;
  void DoDrawText(TCanvas& Canvas, RECT& R, UINT Flags) override;
  void WndProc(TMessage& Message) override;
  void Loaded() override;
  void TextChanged() override { AutoSizeLabel(); }
  void FontChanged() override;
  void Notification(TComponent* Component, TOperation Operation) override;
  // The manager when it has a skin loaded; else nil.
  TsSkinManager* ActiveManager() const;
  // Re-fits an AutoSize label; a right-justified one keeps its right edge.
  virtual void AutoSizeLabel();

 private:
  TsSkinManager* FSkinManager = nullptr;
  String FSkinSection;
  int FSkinIndex = -1;
  bool FKeepParentFont = false;
  bool FTransparentForMouse = false;
  uint8_t FTranspMode = 0;
  bool FSizing = false;
};

class TsLabel : public TsCustomLabel {
 public:
  explicit TsLabel(TComponent* Owner) : TsCustomLabel(Owner) {}
  // The caption takes the font colour of the section under it; else Font's colour.
  bool UseSkinColor() const { return FUseSkinColor; }
  void SetUseSkinColor(bool Value);
  TColor TextColor() override;

 private:
  bool FUseSkinColor = true;
};
