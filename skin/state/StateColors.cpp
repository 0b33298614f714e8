// The colours a skinned control takes from its section: its normal colours
// when the skin is applied, and its state's colours as the state changes.
#include "framework/WinControl.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CommonData.h"
#include "skin/state/ControlKinds.h"
#include "skin/state/SectionLookup.h"

namespace {

TWinControl* AsWindowed(TControl* Control) { return dynamic_cast<TWinControl*>(Control); }

// The font colour the skin sets is no change of the user's: the control's
// font-change handling is kept out of it.
void SetFontColorQuietly(TFont& Font, TColor Color) {
  TNotifyEvent Saved = Font.OnChange;
  Font.OnChange = nullptr;
  Font.SetColor(Color);
  Font.OnChange = Saved;
}

}  // namespace

void TsCommonData::ApplySkinColors(bool Repaint) {
  if (!OwnerControl) return;
  TacSkinData* Data = GetScaledSkinData();
  const TsGeneralData* Section = SectionAt(Data, SkinIndex);
  if (!Section) return;
  TWinControl* Windowed = AsWindowed(OwnerControl);
  if (Windowed && !Windowed->HandleAllocated()) return;
  const HWND Handle = Windowed ? Windowed->HandleIfAllocated() : nullptr;
  if (IsSkinned(false)) {
    StateBits |= acsApplyingColors;
    const bool SeeThrough = Section->Props[0].Transparency == 100 && Section->Props[1].Transparency == 100;
    if (ckStateColorKinds.Contains(CtrlKind) && !SeeThrough) {
      auto Effects = [this](uint32_t Color) {
        return TColor(ApplyColorSaturation(ApplyColorHue(HUEOffset, Color), Saturation));
      };
      if (!CustomColor()) {
        const TColor Color = Effects(Section->Props[0].Color);
        if (OwnerControl->Color() != Color) OwnerControl->SetColor(Color);
      }
      if (!CustomFont() && CtrlKind != 10) {
        const TColor FontColor = Effects(Section->Props[0].FontColor);
        if (OwnerControl->Font().Color() != FontColor) {
          if (ColorTone == acColorUnset)
            SetFontColorQuietly(OwnerControl->Font(), FontColor);
          else
            OwnerControl->Font().SetColor(FontColor);
        }
      }
    }
    if (Handle)
      if (TsSkinManager* Manager = GetSkinManager())
        SetClassLongPtrW(Handle, GCLP_HBRBACKGROUND, LONG_PTR(Manager->Globals().Brushes[pcMainColor]));
    StateBits &= ~acsApplyingColors;
  } else if (Handle && CtrlKind != 142) {
    SetClassLongPtrW(Handle, GCLP_HBRBACKGROUND, LONG_PTR(GetSysColorBrush(COLOR_BTNFACE)));
  }
  if (Repaint) Invalidate(true);
}

void TsCommonData::ApplyStateColors(bool NoRedrawSwitch) {
  if (!OwnerControl) return;
  TWinControl* Windowed = AsWindowed(OwnerControl);
  const HWND Handle = Windowed ? Windowed->HandleIfAllocated() : nullptr;
  const bool Switch = !NoRedrawSwitch && Handle && IsWindowVisible(Handle);
  if (Switch) SendMessageW(Handle, WM_SETREDRAW, FALSE, 0);
  if (const TsGeneralData* Section = SectionAt(GetScaledSkinData(), SkinIndex)) {
    const TsGenState& St = Section->Props[LimitedState(*Section, GetCtrlState() & 0x7F)];
    if (!CustomColor() && OwnerControl->Color() != TColor(St.Color)) OwnerControl->SetColor(TColor(St.Color));
    if (!CustomFont() && OwnerControl->Font().Color() != TColor(St.FontColor)) {
      StateBits |= acsApplyingColors;
      OwnerControl->Font().SetColor(TColor(St.FontColor));
      StateBits &= ~acsApplyingColors;
    }
  }
  if (Switch) SendMessageW(Handle, WM_SETREDRAW, TRUE, 0);
}
