#pragma once
// The glow and circle effects: soft pictures on click-through layered
// windows floating above a control's form, because they reach past the
// control's bounds. Effects live in one list and are known to their
// control's skin state by index (GlowId, EffectId; -1 none).
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/System.h"
#include "skin/effects/EffectWindow.h"

class TBitmap;
class TsCommonData;
class TsSkinManager;

class TacLayeredEffect {
 public:
  virtual ~TacLayeredEffect() = default;
  // Places the window again over the control and repaints it.
  virtual void Repaint() = 0;
  virtual bool IsCircle() const { return false; }

  TsCommonData* OwnerData = nullptr;
  std::unique_ptr<TBitmap> Image;
  int EffectState = 0;
  HWND OwnerWnd = nullptr;
  TacEffectWindow EffectForm;
  bool Closing = false;
  TsSkinManager* Manager = nullptr;
};

struct TacSides {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Where a glow goes for a control rectangle (screen): the window grows by
// the mask's border widths less Inset (or the outer effect's margins where
// larger), and the glow item is painted into ItemRect (window coordinates)
// so that its borders lie outside the control by the same amounts.
struct TacGlowLayout {
  RECT Window{};
  RECT ItemRect{};
};
TacGlowLayout GlowLayout(const RECT& Control, bool HasMask, const TacSides& MaskBorders, int Inset,
                         const TacSides* OuterMargins);

class TacGlowEffect : public TacLayeredEffect {
 public:
  void Repaint() override;
  uint8_t Opacity = 255;
  int Inset = 0;
  int GlowItem = -1;
  RECT OwnerRect{};
  // The last picture shown (premultiplied), kept for alpha changes.
  RECT ShownRect{};
};

// All effects, by index; a freed effect leaves a nil slot.
std::vector<std::unique_ptr<TacLayeredEffect>>& LayeredEffects();
// The effect at Index, nil for an invalid index or an empty slot.
TacLayeredEffect* LayeredEffect(int Index);
// Puts Effect into the first nil slot, else appends it; answers its index.
int AddLayeredEffect(std::unique_ptr<TacLayeredEffect> Effect);

int ShowGlowEffect(const RECT& R, const String& SectionName, const String& ItemName, TsCommonData* Data, HWND OwnerWnd,
                   uint8_t Alpha, int Margin);
// The same with a known image item (the first element; -1 when none).
int ShowGlowWithMask(const RECT& R, const std::vector<int>& MaskIndexes, int Margin, uint8_t Alpha, HWND OwnerWnd,
                     TsCommonData* Data);
void SetGlowAlpha(int Index, uint8_t Alpha);
void UpdateLayeredEffect(int Index);
// Hiding without animation and releasing free the effect with its window.
void HideGlowOrCircle(int& Index, bool Animate);
void ReleaseEffectForm(int& Index);
// With KeepCircles only the glows go; owners' ids of freed effects become -1.
void FreeLayeredEffects(bool FreeForms, bool KeepCircles);
