#pragma once
// A fading shadow a skinned panel draws along one of its edges, over its
// face and under its children.
#include "framework/Component.h"

#include <functional>

enum class TacSideShadowMode { ssmNone, ssmInternal };
enum class TacSide { asLeft, asTop, asRight, asBottom };

class TacSideShadow : public TPersistent {
 public:
  // OnChange is the panel's reaction to a changed shadow.
  explicit TacSideShadow(std::function<void()> OnChange) : FOnChange(std::move(OnChange)) {}

  TacSide Side() const { return FSide; }
  void SetSide(TacSide Value) { Store(FSide, Value); }
  TacSideShadowMode Mode() const { return FMode; }
  void SetMode(TacSideShadowMode Value) { Store(FMode, Value); }
  // Alpha of the shadow at the edge, 0-255.
  int Blend() const { return FBlend; }
  void SetBlend(int Value) { Store(FBlend, Value); }
  // Depth in pixels at 96 pixels per inch.
  int ShadowSize() const { return FShadowSize; }
  void SetShadowSize(int Value) { Store(FShadowSize, Value); }

  void Changed() {
    if (FOnChange) FOnChange();
  }

 private:
  template <class T>
  void Store(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }

  TacSide FSide = TacSide::asRight;
  TacSideShadowMode FMode = TacSideShadowMode::ssmNone;
  int FBlend = 48;
  int FShadowSize = 6;
  std::function<void()> FOnChange;
};
