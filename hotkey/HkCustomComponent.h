#pragma once
// The base of the hot key library's non-visual components: an About text for
// the designer and a change notification that a lock can hold back.
#include "framework/Component.h"

using THkAboutVar = String;

class THkCustomComponent : public TComponent {
 public:
  explicit THkCustomComponent(TComponent* owner) : TComponent(owner) {}

  const THkAboutVar& About() const { return FAbout; }
  void SetAbout(const THkAboutVar&) {}  // shown at design time only; never stored

  TNotifyEvent OnChange;

 protected:
  // Fires OnChange unless the lock holds it back.
  void Change();
  void Changed() { Change(); }
  virtual void ChangeNotified() {}

  THkAboutVar FAbout;
  uint8_t FChangeLock = 0;
  bool FCreated = true;
};
