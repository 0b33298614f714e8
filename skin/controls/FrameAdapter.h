#pragma once
// TsFrameAdapter skins a frame, which has no skinned class of its own: owned
// by the frame, it gives it a skin state, puts its own window procedure in
// front of the frame's, paints the frame's background from its section
// ("TRANSPARENT" by default), passes skin commands on to the frame's
// children and registers the frame with its form.
#include "framework/Frame.h"
#include "skin/manager/ManagerOptions.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/ScrollWndData.h"

#include <memory>

// Raised when the adapter's owner is not a frame.
class EFrameAdapter : public Exception {
 public:
  using Exception::Exception;
};

class TsFrameAdapter : public TComponent {
 public:
  // AOwner must be the frame to skin.
  explicit TsFrameAdapter(TComponent* AOwner);
  ~TsFrameAdapter() override;

  // The form's provider may adapt this frame's controls by class name even
  // when its own AllowSkin3rdParty is off.
  bool AllowSkin3rdParty() const { return FAllowSkin3rdParty; }
  void SetAllowSkin3rdParty(bool Value) { FAllowSkin3rdParty = Value; }
  TsScrollWndData* SkinData() const { return FSkinData.get(); }
  // The adapter's own class-name lists; read at Loaded.
  TsThirdPartyList& ThirdParty() { return *FThirdParty; }
  const TacClassLists& ThirdLists() const { return FThirdLists; }

  TCustomFrame* GetFrame() const { return FFrame; }
  // Any of the adapter's own lists has a name.
  bool HasOwnThirdParty() const { return FHasOwnThirdParty; }

  // The frame's face into the cache; false (Updating set) while the
  // parent's background is not ready.
  bool BuildCache();
  // The frame's background and its graphic children into DC.
  void PaintFrame(HDC DC);

  void Loaded() override;

 private:
  void WndProc(TMessage& Message);
  // The commands every state of the frame answers; true ends the message.
  bool CommonMessage(TMessage& Message);
  // The skinned handling; true ends the message.
  bool SkinnedMessage(TMessage& Message);
  void CallPrevious(TMessage& Message);
  void WMPaint(HDC DC);
  // The whole frame and its children redrawn now.
  void RedrawAll();
  void RegisterWithForm(bool Add);
  bool SkinnedNow() const;
  TColor SectionBgColor();
  void FillLists();

  std::unique_ptr<TsScrollWndData> FSkinData;
  std::unique_ptr<TsThirdPartyList> FThirdParty;
  TacClassLists FThirdLists;
  TCustomFrame* FFrame = nullptr;
  TWndMethod FPreviousWndProc;
  bool FAllowSkin3rdParty = true;
  bool FHasOwnThirdParty = false;
  bool FInPosChanged = false;
  bool FPartlyHidden = false;
  // The form the frame is registered with; nil while not registered.
  HWND FRegisteredWith = nullptr;
};
