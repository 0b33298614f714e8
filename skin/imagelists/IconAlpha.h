#pragma once
// When an icon of an image list, read back without any alpha, is made
// opaque (except its key colour). On a true-colour display an icon may
// carry its own alpha, so its empty alpha is only trusted to mean "no
// alpha" when the skin manager asks for the check; below 32 bits per pixel
// the display never keeps alpha, so it is always made up.

class TsSkinManager;

// Bits per pixel of the screen.
int DisplayBitsPerPixel();

// The rule for images rendered at a list's size: below 32 bits per pixel,
// or without a skin manager, or when the manager's CheckEmptyAlpha is on.
bool PrepareIconAlpha(int DisplayBits, const TsSkinManager* Manager);
// The rule on the screen and the default manager of now.
bool PrepareIconAlpha();
// Icons rendered into a caller's bitmap follow the display alone.
inline bool PrepareIconAlphaForCaller(int DisplayBits) { return DisplayBits < 32; }
