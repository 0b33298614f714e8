#pragma once
// Frames on device contexts: copying a window frame's band, two-colour
// bevel lines, dotted frames and the focus frame.
#include <windows.h>

#include "framework/Graphics.h"

// The frame band of a Width x Height rectangle copied from SrcDC at
// (SrcX, SrcY) to DstDC at (X, Y). LeftW < 0 counts as 0; BottomH < 0
// takes LeftW, and so do TopH and RightW when they are negative too.
void BlitFrameStrips(HDC DstDC, int X, int Y, int Width, int Height, HDC SrcDC, int SrcX, int SrcY, int LeftW, int TopH,
                     int RightW, int BottomH);
// Width nested one-pixel frames, R shrinking by one each; without Sides
// Color1 on the left and top and Color2 on the right and bottom, with
// Sides (1 left, 2 top, 4 right, 8 bottom) only those edges in Color1. On
// return R has shrunk by the width and Width is 0.
void DrawTwoColorFrame(HDC DC, RECT& R, TColor Color1, TColor Color2, int& Width, const int* Sides);
// Alternating pixels of the two colours along R's edges, inside R; a
// colour of clNone is left out.
void DrawDottedFrame(TCanvas& Canvas, const RECT& R, TColor Color1, TColor Color2);
void DrawFocusFrame(TCanvas& Canvas, const RECT& R);
