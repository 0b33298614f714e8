#include "skin/state/CtrlSkinStage.h"

#include "framework/Control.h"
#include "skin/state/CtrlSkinData.h"
#include "skin/state/SkinStateMessages.h"

#include <memory>

void InstallCtrlSkinStage(TsCtrlSkinData& Data) {
  TControl* Owner = Data.OwnerControl;
  if (!Owner || Data.StageLink) return;
  Data.StageLink = std::make_shared<TsCtrlSkinData*>(&Data);
  // The stage passes on to whatever the owner had; the skin state may go
  // before the owner, so it is reached through the link it clears.
  Owner->WindowProc = [Link = Data.StageLink, Inherited = Owner->WindowProc](TMessage& Message) {
    if (*Link && HandleCtrlSkinMessage(Message, *Link)) return;
    Inherited(Message);
  };
  if (Data.WndProc) Data.WndProc = Owner->WindowProc;
}
