#include "skin/state/FinishFadeTimer.h"

#include "skin/state/ThreadedTimer.h"

void FinishFadeTimer(TacThreadedTimer* Timer) {
  if (!Timer || Timer->Destroying()) return;
  Timer->Step = Timer->StepCount - 1;
  Timer->Level = Timer->State <= 0 ? 0.0 : 255.0;
  Timer->SetEnabled(false);
  Timer->TimeHandler();
  Timer->FrameImage.reset();
}
