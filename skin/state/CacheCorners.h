#pragma once
// Repairing the see-through corners of a control's cache with what lies
// under the control.
class TsCommonData;

// Corners: 1 left-top, 2 left-bottom, 4 right-top, 8 right-bottom.
void FillCacheCorners(TsCommonData* Data, int State, int Corners);
