#pragma once
// TPngDecoder reads a PNG stream chunk by chunk and hands its rows, inflated
// and unfiltered, to a row sink. It knows nothing of bitmaps or GDI: what a
// row becomes is the sink's business (TPNGGraphic converts into scan lines).
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Graphic.h"

class TStream;
class TLZ77Decoder;

// Every fault of a PNG file, so callers can tell a bad picture from a
// failing disk. It is an EInvalidGraphic like the framework's own refusals.
class EPngError : public EInvalidGraphic {
 public:
  using EInvalidGraphic::EInvalidGraphic;
};

enum TPngColorType : uint8_t {
  pctGray = 0,
  pctRGB = 2,
  pctIndexed = 3,
  pctGrayAlpha = 4,
  pctRGBA = 6,
};

struct TPngHeader {
  uint32_t Width = 0;
  uint32_t Height = 0;
  uint8_t BitDepth = 0;
  TPngColorType ColorType = pctGray;
  uint8_t Compression = 0;
  uint8_t Filter = 0;
  uint8_t Interlace = 0;
};

// Pictures larger than this in either direction are refused outright; a
// skin never needs them and the row arithmetic stays far from overflow.
constexpr uint32_t PngMaxDimension = 16384;
// And so are pictures of more pixels than this: a file of a few bytes may
// claim any size, and the size is all that decides what gets allocated.
constexpr uint64_t PngMaxPixels = 64ull * 1024 * 1024;

// Raises EPngError unless the header describes a picture this decoder
// reads: sizes within the limits, a bit depth its colour type allows,
// deflate, the adaptive filters and no or Adam7 interlace.
void CheckPngHeader(const TPngHeader& Header);

// Samples per pixel of a colour type (grey 1, RGB 3, indexed 1, grey with
// alpha 2, RGBA 4).
int PngChannels(TPngColorType ColorType);

// Receives the rows as the decoder finishes them.
class TPngRowSink {
 public:
  virtual ~TPngRowSink() = default;
  // Samples holds the unfiltered samples of row Y in PNG order. In an
  // interlaced picture they are the pixels of one pass, meant for the
  // columns whose bit (7 - column mod 8) is set in Mask; LastPass tells
  // when a row is complete.
  virtual void TakeRow(int Y, const uint8_t* Samples, uint8_t Mask, bool LastPass) = 0;
};

class TPngDecoder {
 public:
  explicit TPngDecoder(TStream& Stream);
  ~TPngDecoder();
  TPngDecoder(const TPngDecoder&) = delete;
  TPngDecoder& operator=(const TPngDecoder&) = delete;

  // The signature and the IHDR chunk, checked whole.
  const TPngHeader& ReadHeader();
  // Walks the chunks before the image data. True when the image data
  // begins, false when the file ended (IEND) without any.
  bool ReadToImageData();
  // Inflates the image data into rows for Sink. Rows the data never reaches
  // are not delivered.
  void ReadRows(TPngRowSink& Sink);
  // The chunks after the image data, up to IEND.
  void ReadToEnd();

  const TPngHeader& Header() const { return FHeader; }
  // RGB triples of the PLTE chunk, empty when there was none.
  const std::vector<uint8_t>& Palette() const { return FPalette; }
  // The raw tRNS chunk, empty when there was none.
  const std::vector<uint8_t>& Transparency() const { return FTransparency; }
  // The raw bKGD chunk, empty when there was none.
  const std::vector<uint8_t>& Background() const { return FBackground; }
  bool GammaSeen() const { return FGammaSeen; }
  // File gamma of the gAMA chunk.
  float Gamma() const { return FGamma; }
  // Bytes from a pixel to its left neighbour, as the filters see it.
  int FilterUnit() const;

 private:
  void ReadChunkHeader();
  void ReadChunkData();
  void SkipChunk();
  bool IsChunk(const char* Name) const;
  // Takes an ancillary or palette chunk; false for any other.
  bool TakeChunk();
  void TakePalette();
  // False when the image data ran out before Count bytes came.
  bool InflateRow(uint8_t* Buffer, size_t Count);

  TStream& FStream;
  int64_t FStreamEnd = 0;
  TPngHeader FHeader;
  std::vector<uint8_t> FPalette;
  std::vector<uint8_t> FTransparency;
  std::vector<uint8_t> FBackground;
  float FGamma = 0;
  bool FGammaSeen = false;
  std::unique_ptr<TLZ77Decoder> FInflater;
  std::vector<uint8_t> FChunkBuffer;
  const uint8_t* FInputPos = nullptr;
  uint32_t FIdatLeft = 0;
  uint32_t FChunkLength = 0;
  char FChunkType[4] = {};
  uint32_t FRunningCrc = 0;
};

// Continues a CRC-32 (the one PNG uses); starting from 0 gives the CRC of
// the buffer.
uint32_t UpdateCrc(uint32_t Crc, const void* Buffer, size_t Count);
