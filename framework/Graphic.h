#pragma once
// TGraphic: what every picture class can do (tell its size, draw itself
// into a rectangle of a canvas, read itself from a stream), and the table of
// picture classes by file extension through which pictures open files.
#include <functional>
#include <memory>

#include "framework/System.h"

class TCanvas;
class TStream;

// A picture that cannot be read; the message says why.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

class TGraphic : public TObject {
 public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;
  // Stretched to Rect when the sizes differ.
  virtual void Draw(TCanvas& Canvas, const RECT& Rect) = 0;
  virtual void LoadFromStream(TStream& Stream) = 0;
  void LoadFromFile(const String& FileName);
};

using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

struct TGraphicFormat {
  String Extension;  // without the dot, as registered
  String Description;
  TGraphicFactory Create;
};

// Extensions come without the dot and match without regard to case; a
// second registration of an extension replaces the first.
void RegisterGraphicFormat(const String& Extension, const String& Description, TGraphicFactory Create);
void UnregisterGraphicFormat(const String& Extension);
// Nil when no picture class reads the extension.
const TGraphicFormat* FindGraphicFormat(const String& Extension);
// A picture of the class registered for the file's extension, loaded from
// the file; EInvalidGraphic when no class reads that extension.
std::unique_ptr<TGraphic> LoadGraphicFromFile(const String& FileName);
