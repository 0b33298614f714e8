#pragma once
// What the hint tests share: an application object, an active hints
// component made the way a form loads it, and templates with pictures of
// our own whose sizes tell the pictures apart.
#include <memory>

#include "framework/Application.h"
#include "skin/hints/AlphaHints.h"

// The application object every hint test needs (made once, never freed
// while tests run).
TApplication& TestApplication();

// A fully opaque-free picture: every pixel Color with Alpha (straight alpha).
std::unique_ptr<TBitmap> SolidPicture(int Width, int Height, uint32_t Rgb, uint8_t Alpha);

// Adds a template named Name whose four pictures are Size x Size and whose
// client margins differ per corner (Left margin = 10 + corner index), so a
// test can tell which picture measured the text.
TacHintTemplate& AddCornerTemplate(TsAlphaHints& Hints, const String& Name, bool Directional);

// A component loaded like one from a form: BeginLoading, Setup, EndLoading.
template <class F>
std::unique_ptr<TsAlphaHints> LoadedHints(F Setup) {
  TestApplication();  // a component becomes active only where layered windows are bound
  auto hints = std::make_unique<TsAlphaHints>(nullptr);
  hints->BeginLoading();
  Setup(*hints);
  hints->EndLoading();
  return hints;
}
