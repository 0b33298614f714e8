#pragma once
// Puts HandleCtrlSkinMessage in front of a skinned control's window
// procedure. A skinned control calls this from its constructor, before its
// window exists, so that the window is marked with its skin state when it is
// made; commands sent to the window through its skin state reach the stage
// too. Messages the stage answers True end there; the others go on to the
// control's own handling. A control that must see a command before the
// stage hooks WindowProc after this, or handles it in the stage's place.
class TsCtrlSkinData;

void InstallCtrlSkinStage(TsCtrlSkinData& Data);
