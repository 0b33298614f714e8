#pragma once
// TsPanel: a container painted from the skin. Its face (section chosen by
// the outer bevel unless SkinSection names one, caption, side shadow) is
// kept in the cache bitmap of its skin state, from which it paints and from
// which its children take their backgrounds (AC_GETBG).
#include "framework/Panel.h"
#include "skin/controls/SideShadow.h"
#include "skin/controls/SkinnedControl.h"

#include <functional>
#include <memory>

using TPaintEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;

class TsCustomPanel : public TacSkinnedControl<TPanel> {
 public:
  explicit TsCustomPanel(TComponent* Owner);
  ~TsCustomPanel() override;

  TacSideShadow& SideShadow() { return *FSideShadow; }
  // Mouse input falls through to the window beneath.
  bool TransparentForMouse() const { return FTransparentForMouse; }
  void SetTransparentForMouse(bool Value) { FTransparentForMouse = Value; }

  // The cache over the whole control, children that paint themselves left out.
  virtual void CopyCacheTo(HDC DC);
  // The skinned paint; DC nil: the panel's own canvas.
  virtual void PaintPanel(HDC DC, bool NotifyChildren);
  // Paints the face into the cache; false while the parent's background is
  // not ready (Updating is set, AC_UPDATEDONE makes the paint up).
  virtual bool PrepareCache();
  // The caption into R; Canvas nil: onto DC through a canvas of its own.
  virtual void WriteText(RECT R, TCanvas* Canvas, HDC DC);

  TPaintEvent OnPaint;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

 protected:
  void Loaded() override;
  void CreateWnd() override;
  void Paint(TCanvas& Canvas) override;
  void PaintWindow(HDC DC) override;
  void WndProc(TMessage& Message) override;

  void PaintSideShadow();
  // AC_GETDEFINDEX: the default section follows the outer bevel.
  int DefaultIndex();
  TBevelCut FLastBevelOuter = TBevelCut::bvRaised;
  std::unique_ptr<TBitmap> FShadowBmp;

 private:
  // The skin commands the panel answers itself; true ends the message.
  bool PanelSkinCommand(TMessage& Message);
  void AnswerBackground(TacBackgroundInfo& Info);
  // The skinned handling of every other message.
  void SkinnedPanelMessage(TMessage& Message);
  void UnskinnedPanelMessage(TMessage& Message);
  void PaintMessage(TMessage& Message);
  void CustomColorPaint(HDC Target);
  void SideShadowChanged();
  bool HasAlNoneChild() const;
  void DefaultMessage(TMessage& Message);

  std::unique_ptr<TacSideShadow> FSideShadow;
  bool FTransparentForMouse = false;
};

class TsPanel : public TsCustomPanel {
 public:
  explicit TsPanel(TComponent* Owner);
};
