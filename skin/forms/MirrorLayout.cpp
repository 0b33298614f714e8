#include "skin/forms/MirrorLayout.h"

#include "framework/WinControl.h"
#include "skin/core/SkinCommand.h"

namespace {

// The right-aligned child farthest right.
TControl* NextRightAlignedChild(TWinControl* Container) {
  TControl* found = nullptr;
  for (int i = 0; i < Container->ControlCount(); ++i) {
    TControl* c = Container->Controls(i);
    if (c->Align() == TAlign::alRight && (!found || c->Left() > found->Left())) found = c;
  }
  return found;
}

// The left-aligned child farthest left, of those left of Limit when given.
TControl* NextLeftAlignedChild(TWinControl* Container, const TControl* Limit) {
  TControl* found = nullptr;
  for (int i = 0; i < Container->ControlCount(); ++i) {
    TControl* c = Container->Controls(i);
    if (c->Align() != TAlign::alLeft || c == Limit) continue;
    if (Limit && c->Left() >= Limit->Left()) continue;
    if (!found || c->Left() < found->Left()) found = c;
  }
  return found;
}

}  // namespace

int ChildAlignExtent(TWinControl* Container, bool WithGraphic) {
  if (!Container) return 0;
  const TAlign align = Container->Align();
  const bool vertical = align == TAlign::alTop || align == TAlign::alBottom;
  const bool horizontal = align == TAlign::alLeft || align == TAlign::alRight;
  if (!vertical && !horizontal) return 0;
  int extent = 0;
  for (int i = 0; i < Container->ControlCount(); ++i) {
    TControl* c = Container->Controls(i);
    if (!c->Visible() || c->Align() != align) continue;
    if (!WithGraphic && !dynamic_cast<TWinControl*>(c)) continue;
    extent += vertical ? c->Height() : c->Width();
  }
  return extent;
}

void MirrorChildLayout(TWinControl* Container, bool Recursive) {
  if (!Container) return;
  Container->HandleNeeded();
  const int clientWidth = Container->ClientWidth();
  for (int i = 0; i < Container->ControlCount(); ++i) {
    TControl* c = Container->Controls(i);
    if (c->Align() == TAlign::alNone) c->SetLeft(clientWidth - c->Left() - c->Width());
    c->Perform(WM_SKINCOMMAND, SkinCommandWParam(AC_MIRRORED), 0);
  }
  // The sides are chosen by where the children stand now, so they must not
  // move while the choice is made.
  Container->DisableAlign();
  TControl* firstMoved = nullptr;
  while (TControl* c = NextRightAlignedChild(Container)) {
    if (!firstMoved) firstMoved = c;
    c->SetAlign(TAlign::alLeft);
  }
  while (TControl* c = NextLeftAlignedChild(Container, firstMoved)) c->SetAlign(TAlign::alRight);
  Container->EnableAlign();
  if (!Recursive) return;
  for (int i = 0; i < Container->ControlCount(); ++i)
    if (auto* w = dynamic_cast<TWinControl*>(Container->Controls(i))) MirrorChildLayout(w, true);
}
