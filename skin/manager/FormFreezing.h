#pragma once
// A scale change freezes the skinned forms around the reload so they are not
// painted half-way: the window stops redrawing and its border window hides.
// That state lives in the form skinning, which is not built yet; until then
// both calls do nothing.
class TForm;

void FreezeSkinnedForm(TForm* Form);
// Lets the form redraw again, its frame rebuilt.
void UnfreezeSkinnedForm(TForm* Form);
