#pragma once
// Ending a fade at once, as if its last step had run.
class TacThreadedTimer;

// The timer's level jumps to the end of its run (0 for a fade in or an idle
// timer, 255 for a fade out), it stops, its handler runs once more and the
// frame it showed is dropped.
void FinishFadeTimer(TacThreadedTimer* Timer);
