#pragma once
// What a press of a skinned button changes for the whole program: the
// application's hints are off while the left button is held on it (a hint
// popping up over a pressed button would cover the press), and a forced
// pressed look lets the release paint the pressed face once before the
// button fades back. Shared by the push, bit and speed buttons.

// The application's ShowHint was switched off by a press; SavedShowHint is
// the value it had.
extern bool HintsSuppressed;
extern bool SavedShowHint;
// Paint state 2 whatever the window reports.
extern bool ForcePressedPaint;

// Switches the application's hints off, once per press.
void SuppressHintsForPress();
// Gives the application back the hints it had.
void RestoreHintsAfterPress();
