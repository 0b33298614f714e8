#pragma once
// Mouse light: buttons and edits near the pointer show a soft spot that
// follows it. The controls that take part are listed here; a 12 ms ticker
// tells them the light may have moved. The ticker runs only while the
// pointer moves over the program's windows: a still mouse costs nothing.
#include <windows.h>

#include <cstdint>

class TBitmap;
class TsCtrlSkinData;

// Pointer and control geometry, screen coordinates: Offset := centre of R
// minus P; true when P lies within 64 pixels of the zone that reaches half
// the larger side of R past each edge.
bool MouseNearRect(const RECT& R, POINT P, POINT& Offset);
// Top-left of a spot of Spot's size centred on the pointer, in the
// coordinates of a W x H control whose centre lies Offset from the pointer.
POINT LightSpotOrigin(int W, int H, POINT Offset, SIZE Spot);
// The spot radius for a control size, held within Min..Max.
int LightSpotRadius(int Size, int Min, int Max);

int AddLightControl(TsCtrlSkinData* Data);
// Nil clears the list of controls.
void RemoveLightControl(TsCtrlSkinData* Data);
// Arms the light (the ticker starts with the next pointer move) or takes it
// down after one last pass, so no control stays lit.
void ActivateMouseLight(bool Active);
bool MouseLightActive();
// True while the ticker runs (tests and the idle check ask).
bool MouseLightTicking();
// One update pass over every listed control.
void MouseLightPass();
bool IsMouseNearControl(TsCtrlSkinData* Data);
// Recomputes whether Data is lit and repaints it when that or the spot
// changed (and Repaint allows).
void UpdateMouseLight(TsCtrlSkinData* Data, bool Repaint);
// Draws the spot into Bitmap (nil: the control's cache) for State; with a
// Ref picture the pixels where Ref (at the spot plus RefOffset) holds Key
// stay untouched.
void DrawMouseLight(TsCtrlSkinData* Data, int State, TBitmap* Bitmap, TBitmap* Ref = nullptr, POINT RefOffset = {},
                    uint32_t Key = 0);
