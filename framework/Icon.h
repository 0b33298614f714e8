#pragma once
// TIcon: a picture over an HICON it owns, destroyed with the picture or when
// another icon takes its place.
#include <windows.h>

#include "framework/Graphic.h"

class TIcon : public TGraphic {
 public:
  TIcon() = default;
  ~TIcon() override;
  TIcon(const TIcon&) = delete;
  TIcon& operator=(const TIcon&) = delete;

  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  bool Empty() const override { return FHandle == nullptr; }
  // DrawIconEx at the rectangle's size, mask and colour.
  void Draw(TCanvas& canvas, const RECT& rect) override;
  // An .ico file; of its images the one nearest the system's icon size,
  // then the one with most colours.
  void LoadFromStream(TStream& stream) override;
  // An icon resource at the system's icon size.
  void LoadFromResourceName(HINSTANCE instance, const String& name);

  HICON Handle() const { return FHandle; }
  // Takes ownership; its size is read from the icon.
  void SetHandle(HICON icon);
  // Gives the icon to the caller; the picture is empty afterwards.
  HICON ReleaseHandle();

 private:
  HICON FHandle = nullptr;
  int FWidth = 0;
  int FHeight = 0;
};
