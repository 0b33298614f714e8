#pragma once
// A skin change shown as a fade of the new look over the old one instead of
// a flash. The form skinning turns the manager's skin-changing options into
// one call per form.
#include <windows.h>

#include <cstdint>
#include <vector>

class TWinControl;

// Called after each frame with the rectangle drawn.
using TacFrameProc = void (*)(const RECT& R);

// Runs the whole animation and returns when it is done. Mode 1 zooms the new
// picture in; 0 fades it. Time below one frame shows the new look at once.
void AnimateFormChange(TWinControl* Form, uint16_t Time, uint8_t Alpha, uint8_t Mode, TacFrameProc FrameProc);
// Copies the control's window from the screen and shows it in the overlay
// window over the control.
void CaptureWindowCover(TWinControl* Control);
// The weight of the old picture in each frame of the cross-fade over Time
// milliseconds, one frame each 24 ms; empty when Time is below a frame.
std::vector<uint8_t> SkinChangeFadeWeights(uint16_t Time);
// The overlay and the captured picture kept between calls, freed at the end
// of the program.
void FreeSkinChangeCover();
// The overlay window showing the old picture, nullptr when none.
HWND SkinChangeCoverWindow();
