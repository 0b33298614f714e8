#pragma once
// The click circle: a soft light circle that grows inside a button's picture
// from where the mouse went down, for as long as it is held, and spreads out
// and fades once it is released. It runs on the control's fade timer.
class TsCommonData;

// For a picture of Width x Height: D the circle's base size, M the radius at
// which it has spread out completely.
struct TacCircleGeometry {
  int D = 0;
  int M = 0;
};
TacCircleGeometry CircleGeometry(int Width, int Height);
// The radius a press starts with.
double FirstCircleRadius(const TacCircleGeometry& G);
// The radius after one more tick: slow while pressed, towards M once released.
double NextCircleRadius(double R, bool Pressed, const TacCircleGeometry& G);

// How the circle looks at radius R: FadeBack is the weight of the circle's
// frame against the plain picture (0: no mixing), Falloff the width of its
// soft rim, Alpha its opacity.
struct TacCircleLook {
  int FadeBack = 0;
  int Falloff = 1;
  int Alpha = 0;
};
TacCircleLook CircleLook(double R, bool Pressed, const TacCircleGeometry& G);

// The step procedure a button passes for the pressed state and its release.
bool ClickCircleStep(TsCommonData* Data, int Step);
