#pragma once
// TsHTMLLabel: a skinned label whose caption is written in the HTML subset
// of the caption engine (skin/painting/HtmlText.h), with clickable links.
// A link click goes to OnLinkClick first; web and mail targets it leaves to
// the default action are opened with the shell.
#include "skin/controls/Label.h"
#include "skin/painting/HtmlText.h"

// ALink may be changed or emptied; DefaultAction false opens nothing.
using TLinkClickEvent = std::function<void(TObject* Sender, String& ALink, bool& DefaultAction)>;

// The show command passed to the shell: the ordinal is SW_HIDE .. SW_SHOWDEFAULT.
enum class TsWindowShowMode {
  soHide,
  soNormal,
  soShowMinimized,
  soMaximize,
  soShowNoActivate,
  soShow,
  soMinimize,
  soShowMinNoActive,
  soShowNA,
  soRestore,
  soDefault
};

class TsHTMLLabel : public TsLabel {
 public:
  explicit TsHTMLLabel(TComponent* Owner) : TsLabel(Owner) {}

  bool UseHTML() const { return FUseHTML; }
  void SetUseHTML(bool Value);
  bool FitToWidth() const { return FFitToWidth; }
  void SetFitToWidth(bool Value);
  TsWindowShowMode ShowMode() const { return FShowMode; }
  void SetShowMode(TsWindowShowMode Value) { FShowMode = Value; }
  // The caption without its tags.
  String PlainCaption() const;
  // The link pieces of the last paint, in the label's coordinates.
  const TacLinks& Links() const { return FLinks; }
  int HotLink() const { return FHotLink; }
  int PressedLink() const { return FPressedLink; }
  // The number of the link under a point of the label; -1 for none.
  int LinkAt(POINT P) const;
  virtual void LinkClick(int Number);

  TLinkClickEvent OnLinkClick;

 protected:
  void DoDrawText(TCanvas& Canvas, RECT& R, UINT Flags) override;
  void WndProc(TMessage& Message) override;
  // Hands a web or mail target to the shell.
  virtual void OpenLink(const String& Target);

 private:
  void SetHot(int Number);
  void ResetLinks();

  bool FUseHTML = true;
  bool FFitToWidth = false;
  TsWindowShowMode FShowMode = TsWindowShowMode::soDefault;
  TacLinks FLinks;
  int FHotLink = -1;
  int FPressedLink = -1;
  bool FClicking = false;
};
