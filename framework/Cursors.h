#pragma once
// Cursor identifiers as controls keep them; Screen->Cursors gives the system
// cursor each one shows. crDefault leaves the choice to the window beneath or
// its class.

using TCursor = int;

constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crHandPoint = -21;
