#include "skin/controls/ButtonColoring.h"

#include "skin/manager/ManagerOptions.h"
#include "skin/manager/SkinManager.h"

TacColoring ButtonColoring(int ModalResult, int State, uint32_t ColorTone, TsSkinManager* Manager, bool Skinned) {
  TacColoring Result;
  if (ColorTone != acColorUnset) {
    Result.ColorBg = ColorTone;
    return Result;
  }
  struct TPairs {
    uint32_t Glyph[2], Bg[2];
  };
  static constexpr TPairs Positive{{0xFF28851A, 0xFF008E00}, {0xFF7BD098, 0xFF3EE275}};
  static constexpr TPairs Negative{{0xFF0000B4, 0xFF0000A2}, {0xFF9E9EFF, 0xFF7E7EFF}};
  const TPairs* Pairs = nullptr;
  switch (ModalResult) {
    case IDOK:
    case IDYES:
      Pairs = &Positive;
      break;
    case IDCANCEL:
    case IDNO:
      Pairs = &Negative;
      break;
    default:
      return Result;
  }
  const int Which = State == 0 ? 0 : 1;
  const TacButtonsColoring Coloring = Manager ? Manager->ButtonsOptions().ModalButtonsColoring() : bcGlyph;
  if (!Manager || (Coloring & bcGlyph)) Result.ColorGlyph = Pairs->Glyph[Which];
  if (Skinned && (Coloring & bcText)) Result.ColorText = Pairs->Glyph[Which];
  if (Skinned && (Coloring & bcBackground)) Result.ColorBg = Pairs->Bg[Which];
  return Result;
}
