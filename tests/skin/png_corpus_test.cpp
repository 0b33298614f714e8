// The PNG test pictures of Debian's libpng source package (fetched by
// tools/setup.sh): every one decodes, and agrees with Windows' own decoder
// but for three things Windows does its own way: it applies no gamma, it
// rounds 16-bit samples where we take them by truncation, and it treats a
// grey or RGB key colour (tRNS) as it likes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "skin/graphics/ColorManager.h"
#include "skin/graphics/PngGraphic.h"
#include "support/PixelHelpers.h"
#include "support/PngWriter.h"
#include "support/WicDecoder.h"

namespace {

struct PngFacts {
  int Depth = 0;
  int ColorType = 0;
  uint32_t Gamma = 0;  // x 100000, 0 without gAMA
  bool Key = false;    // a tRNS key colour (grey or RGB)
};

uint32_t At32(const std::string& s, size_t At) {
  return uint32_t(uint8_t(s[At])) << 24 | uint8_t(s[At + 1]) << 16 | uint8_t(s[At + 2]) << 8 | uint8_t(s[At + 3]);
}

PngFacts FactsOf(const std::string& Png) {
  PngFacts f;
  f.Depth = uint8_t(Png[24]);
  f.ColorType = uint8_t(Png[25]);
  for (size_t At : PngChunkOffsets(Png)) {
    if (At + 8 > Png.size()) break;
    const std::string Type = Png.substr(At + 4, 4);
    if (Type == "gAMA" && At + 12 <= Png.size()) f.Gamma = At32(Png, At + 8);
    if (Type == "tRNS") f.Key = f.ColorType == 0 || f.ColorType == 2;
  }
  return f;
}

std::vector<std::wstring> CorpusFiles() {
  const std::string Folder = PNG_CORPUS_DIR;
  const std::wstring Wide = L"Z:" + std::wstring(Folder.begin(), Folder.end()) + L"/";
  std::vector<std::wstring> Files;
  WIN32_FIND_DATAW Found;
  HANDLE Find = FindFirstFileW((Wide + L"*.png").c_str(), &Found);
  if (Find == INVALID_HANDLE_VALUE) return Files;
  do Files.push_back(Wide + Found.cFileName);
  while (FindNextFileW(Find, &Found));
  FindClose(Find);
  std::sort(Files.begin(), Files.end());
  return Files;
}

// Whether every pixel of Ours is what Windows decoded, passed through Map
// (a gamma table or none), allowing Windows' sample to be Slack steps off.
bool Agrees(TBitmap& Ours, const WicPicture& Wic, const uint8_t* Map, int Slack, bool WithAlpha) {
  for (int y = 0; y < Wic.Height; ++y)
    for (int x = 0; x < Wic.Width; ++x) {
      const uint32_t o = PixelAt(Ours, x, y), w = Wic.Pixels[size_t(y) * Wic.Width + x];
      for (int Shift = 0; Shift < 32; Shift += 8) {
        const bool Alpha = Shift == 24;
        if (Alpha && !WithAlpha) continue;
        const int Ov = int(o >> Shift & 0xFF), Wv = int(w >> Shift & 0xFF);
        int Lo = std::max(Wv - Slack, 0), Hi = std::min(Wv + Slack, 255);
        if (Map && !Alpha) Lo = Map[Lo], Hi = Map[Hi];
        if (Ov < Lo || Ov > Hi) return false;
      }
    }
  return true;
}

}  // namespace

TEST(PngCorpus, EveryPictureDecodesAndAgreesWithWindows) {
  const std::vector<std::wstring> Files = CorpusFiles();
  ASSERT_FALSE(Files.empty()) << "no pictures in " << PNG_CORPUS_DIR << " (tools/setup.sh fetches them)";
  std::vector<std::string> Failed;
  for (const std::wstring& Path : Files) {
    const std::string Name(Path.begin() + Path.rfind(L'/') + 1, Path.end());
    const std::string Bytes = ReadFileBytes(Path);
    TBitmap Ours;
    try {
      DecodePngTo32(Bytes, Ours);
    } catch (const Exception& e) {
      const String Message = e.Message();
      Failed.push_back(Name + ": " + std::string(Message.begin(), Message.end()));
      continue;
    }
    WicPicture Wic;
    if (!DecodeWithWic(Bytes, Wic)) {
      Failed.push_back(Name + ": Windows cannot decode it");
      continue;
    }
    if (Ours.Width() != Wic.Width || Ours.Height() != Wic.Height) {
      Failed.push_back(Name + ": size differs");
      continue;
    }
    const PngFacts Facts = FactsOf(Bytes);
    const int Slack = Facts.Depth == 16 ? 1 : 0;
    const bool WithAlpha = !Facts.Key;
    bool Same = Agrees(Ours, Wic, nullptr, Slack, WithAlpha);
    if (!Same && Facts.Gamma) {
      TColorManager Gamma;
      Gamma.ComputeGammaTable(float(Facts.Gamma / 100000.0), 2.2f);
      Same = Agrees(Ours, Wic, Gamma.GammaTable(), Slack, WithAlpha);
    }
    if (!Same) Failed.push_back(Name + ": pixels differ");
  }
  EXPECT_EQ(Failed, std::vector<std::string>{});
  RecordProperty("pictures", int(Files.size()));
}
