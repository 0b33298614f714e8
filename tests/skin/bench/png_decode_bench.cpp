// PNG decoding of a corpus, ours against Windows' own decoder on the same
// bytes, both ending in 32-bit BGRA. Prints the ratio ours / Windows.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "../support/PixelHelpers.h"
#include "../support/PngWriter.h"
#include "../support/WicDecoder.h"

namespace {

std::vector<std::string> Corpus() {
  std::vector<std::string> Files;
  const std::pair<int, int> Kinds[] = {{0, 8}, {0, 1}, {2, 8}, {2, 16}, {3, 8}, {3, 4}, {4, 8}, {6, 8}, {6, 16}};
  for (auto [Type, Depth] : Kinds)
    for (bool Interlaced : {false, true}) {
      PngRecipe S;
      S.Width = 640;
      S.Height = 480;
      S.ColorType = Type;
      S.BitDepth = Depth;
      S.Interlaced = Interlaced;
      const uint32_t Max = (1u << Depth) - 1;
      if (Type == 3) {
        for (uint32_t i = 0; i <= Max; ++i)
          S.Palette.insert(S.Palette.end(), {uint8_t(i * 7), uint8_t(i * 3), uint8_t(255 - i)});
      }
      S.Sample = [Max](int x, int y, int s) { return uint32_t((x / 3 + y / 5 + s * 40 + (x * y) / 97) % (Max + 1)); };
      Files.push_back(MakePng(S));
    }
  WIN32_FIND_DATAW Found;
  const std::wstring Folder = L"Z:\\usr\\share\\icons\\Adwaita\\48x48\\legacy\\";
  HANDLE Find = FindFirstFileW((Folder + L"*.png").c_str(), &Found);
  if (Find != INVALID_HANDLE_VALUE) {
    do Files.push_back(ReadFileBytes(Folder + Found.cFileName));
    while (FindNextFileW(Find, &Found));
    FindClose(Find);
  }
  return Files;
}

template <typename Fn>
double Seconds(Fn Body) {
  auto Start = std::chrono::steady_clock::now();
  Body();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

}  // namespace

int main() {
  const std::vector<std::string> Files = Corpus();
  size_t Bytes = 0;
  for (auto& f : Files) Bytes += f.size();
  const int Rounds = 5;
  WicPicture Warm;
  DecodeWithWic(Files.front(), Warm);
  double Ours = Seconds([&] {
    for (int r = 0; r < Rounds; ++r)
      for (auto& f : Files) {
        TBitmap Out;
        DecodePngTo32(f, Out);
      }
  });
  double Windows = Seconds([&] {
    for (int r = 0; r < Rounds; ++r)
      for (auto& f : Files) {
        WicPicture Out;
        DecodeWithWic(f, Out);
      }
  });
  std::printf("png decode: %zu files, %zu bytes, %d rounds\n", Files.size(), Bytes, Rounds);
  std::printf("ours %.3f s, windows %.3f s, ours / windows = %.2f\n", Ours, Windows, Ours / Windows);
  return 0;
}
