#include "skin/controls/SkinnedContainer.h"

#include "skin/core/SkinCommand.h"
#include "skin/state/ControlSkinPainting.h"
#include "skin/state/SkinStateMessages.h"

bool PaintContainerFace(TWinControl& Container, TsCommonData& Data) {
  Data.InitCacheBmp();
  const RECT R{0, 0, Container.Width(), Container.Height()};
  const POINT Offset{Container.Left(), Container.Top()};
  if (!PaintControlSkinOverParent(Data, Container.Parent(), 0, R, Offset, Data.CacheBmp.get(), true)) {
    Data.Updating = true;
    return false;
  }
  return true;
}

bool PassSkinChangeOn(TWinControl& Container, TsCommonData& Data, TMessage& Message,
                      const std::function<void()>& Removed, const std::function<void()>& Refreshed) {
  const bool OwnManager = reinterpret_cast<LPARAM>(Data.GetSkinManager()) == Message.LParam;
  switch (SkinCommandCode(Message.WParam)) {
    case AC_SKINLOADED:
      if (OwnManager) HandleSkinCommand(Message, &Data);
      break;
    case AC_SKINREMOVED:
      if (OwnManager) HandleSkinCommand(Message, &Data);
      BroadcastToChildren(&Container, Message);
      if (Removed) Removed();
      return true;
    case AC_SKINREFRESH:
      if (IsRefreshForMe(&Data, Message)) {
        HandleSkinCommand(Message, &Data);
        if (Refreshed) Refreshed();
      }
      break;
    default:
      return false;
  }
  BroadcastToChildren(&Container, Message);
  return true;
}

void FireOwnMouseEvents(TControl& Container, const TMessage& Message, const TNotifyEvent& OnMouseEnter,
                        const TNotifyEvent& OnMouseLeave) {
  if (Message.LParam != 0 && Message.LParam != reinterpret_cast<LPARAM>(&Container)) return;
  if (Message.Msg == CM_MOUSEENTER && OnMouseEnter) OnMouseEnter(&Container);
  if (Message.Msg == CM_MOUSELEAVE && OnMouseLeave) OnMouseLeave(&Container);
}
