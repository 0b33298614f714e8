#pragma once
// TLZ77Decoder: zlib's inflate, fed piece by piece by the PNG decoder.
#include <zlib.h>

#include "framework/System.h"

class TLZ77Decoder : public TObject {
 public:
  TLZ77Decoder(int FlushKind, bool ResetEachCall) : FFlushKind(FlushKind), FResetEachCall(ResetEachCall) {}
  ~TLZ77Decoder() override;

  void StartInflate();
  // Inflates from Input into Output; both pointers come back advanced.
  void InflateChunk(const uint8_t*& Input, uint8_t*& Output, unsigned OutputSize, unsigned InputSize);
  void FinishInflate();

  unsigned InputLeft() const { return FStream.avail_in; }
  unsigned OutputLeft() const { return FStream.avail_out; }
  int LastResult() const { return FLastResult; }

 private:
  z_stream FStream = {};
  int FFlushKind;
  bool FResetEachCall;
  int FLastResult = Z_OK;
  bool FStarted = false;
};
