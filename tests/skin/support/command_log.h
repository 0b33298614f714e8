#pragma once
// Records the skin commands each watched control is given.
#include <map>
#include <vector>

#include "framework/Control.h"
#include "skin/core/SkinCommand.h"

struct TCommandLog {
  std::map<TControl*, std::vector<WPARAM>> Seen;
  std::map<TControl*, LPARAM> LastLParam;

  // Answers AC_ISSKINNED with Skinned and every other command with Answer.
  void Watch(TControl* Control, LRESULT Answer = 0, bool Skinned = false) {
    TWndMethod Inherited = Control->WindowProc;
    Control->WindowProc = [=, this](TMessage& m) {
      if (m.Msg != WM_SKINCOMMAND) return Inherited(m);
      Seen[Control].push_back(m.WParam);
      if (SkinCommandCode(m.WParam) == AC_ISSKINNED) {
        m.Result = Skinned ? 1 : 0;
        return;
      }
      LastLParam[Control] = m.LParam;
      m.Result = Answer;
    };
  }
  int Count(TControl* Control, uint16_t Code) {
    int n = 0;
    for (WPARAM w : Seen[Control]) n += SkinCommandCode(w) == Code;
    return n;
  }
};
