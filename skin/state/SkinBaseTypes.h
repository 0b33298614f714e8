#pragma once
// The small types the per-control skin state and its painters share: the
// opacity mode, a draw-data word for skin-name lists and a timer that
// carries two words for the item it works for. (The arrow styles live with
// the manager's options, the padding with the skin types.)
#include <windows.h>

#include <cstdint>

#include "framework/Timer.h"

enum class TacOpaqueMode : uint8_t { omAuto, omForceOpaque, omAlphaChannel };

// The colour value that means "not set" in every colour property of the engine.
constexpr uint32_t acColorUnset = 0x1FFFFFFF;

inline RECT MakeRectLTRB(int Left, int Top, int Right, int Bottom) { return RECT{Left, Top, Right, Bottom}; }

// The data object of an item of a skin-name list.
class TacItemDrawDataObj {
 public:
  explicit TacItemDrawDataObj(int32_t Value = 0) : Value(Value) {}
  int32_t Value;
};

// A timer that remembers two words; the second names the item it works for.
class TacTimer : public TTimer {
 public:
  explicit TacTimer(TComponent* Owner) : TTimer(Owner) {}
  int32_t Data1 = 0;
  void* Item = nullptr;
};
