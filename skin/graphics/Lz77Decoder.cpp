#include "skin/graphics/Lz77Decoder.h"

#include "framework/Bitmap.h"

TLZ77Decoder::~TLZ77Decoder() {
  if (FStarted) inflateEnd(&FStream);
}

void TLZ77Decoder::StartInflate() {
  FStream = z_stream{};
  if (inflateInit(&FStream) < 0) throw EGraphicCompression(L"LZ77 decompression error.");
  FStarted = true;
}

void TLZ77Decoder::InflateChunk(const uint8_t*& Input, uint8_t*& Output, unsigned OutputSize, unsigned InputSize) {
  FStream.next_in = const_cast<Bytef*>(Input);
  FStream.avail_in = InputSize;
  if (FResetEachCall && inflateReset(&FStream) != Z_OK) return;
  FStream.next_out = Output;
  FStream.avail_out = OutputSize;
  FLastResult = inflate(&FStream, FFlushKind);
  Input = FStream.next_in;
  Output = FStream.next_out;
}

void TLZ77Decoder::FinishInflate() {
  if (!FStarted) return;
  FStarted = false;
  if (inflateEnd(&FStream) < 0) throw EGraphicCompression(L"LZ77 decompression error.");
}
