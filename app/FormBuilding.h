#pragma once
// Builds a form's components in code, as a form resource would: created with
// their owner, named, placed and put on their parent.
#include "framework/WinControl.h"

template <class T>
T* Place(TComponent* owner, TWinControl* parent, const wchar_t* name, int left, int top, int width, int height) {
  T* c = new T(owner);
  c->SetName(name);
  c->SetBounds(left, top, width, height);
  c->SetParent(parent);
  return c;
}
