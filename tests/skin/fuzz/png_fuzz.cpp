// Feeds the PNG decoder damaged copies of small valid pictures, the way the
// skin loader meets them: bit flips, byte changes, edited chunk lengths and
// CRCs, truncation and duplicated chunks. Input N is made from seed N alone,
// so a run can be resumed after N and any input made again.
//
//   skin_fuzz_png FIRST COUNT FOLDER
//
// Prints the counts (decoded, refused by the decoder, refused otherwise).
// An input that crashes or takes over a minute is written to FOLDER and
// the program ends with "crash N" or "hang N" and the counts so far;
// run_png_fuzz.sh then goes on from N + 1.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <zlib.h>

#include "skin/graphics/PngGraphic.h"
#include "support/PixelHelpers.h"
#include "support/PngWriter.h"

namespace {

std::vector<std::string> Seeds() {
  struct Kind {
    int Type, Depth;
    bool Interlaced;
  };
  const Kind Kinds[] = {{0, 1, false}, {0, 2, true},  {0, 4, false},  {0, 8, true},  {0, 16, false},
                        {2, 8, false}, {2, 16, true}, {3, 1, true},   {3, 2, false}, {3, 4, true},
                        {3, 8, false}, {4, 8, true},  {4, 16, false}, {6, 8, true},  {6, 16, false}};
  std::vector<std::string> Out;
  int n = 0;
  for (const Kind& k : Kinds) {
    PngRecipe S;
    S.Width = 5 + n % 7;
    S.Height = 3 + n % 5;
    S.ColorType = k.Type;
    S.BitDepth = k.Depth;
    S.Interlaced = k.Interlaced;
    const uint32_t Max = (1u << k.Depth) - 1;
    S.Sample = [Max](int x, int y, int s) { return uint32_t(x * 7 + y * 13 + s * 5 + x * y) % (Max + 1); };
    if (k.Type == 3) {
      for (uint32_t i = 0; i <= Max; ++i) S.Palette.insert(S.Palette.end(), {uint8_t(i * 9), uint8_t(i), uint8_t(~i)});
      S.Trns = {0, 90, 255};
    }
    if (k.Type == 0) S.Trns = {0, 1};
    if (k.Type == 2) S.Trns = {0, 1, 0, 2, 0, 3};
    if (n % 3 == 0) S.Gamma = 45455;
    if (n % 4 == 1)
      S.ExtraBeforeIdat = {{"bKGD", std::string(k.Type == 2 || k.Type == 6 ? 6 : k.Type == 3 ? 1 : 2, '\1')}};
    if (n % 5 == 2) S.ExtraAfterIdat = {{"tEXt", "Comment\0fuzz"}};
    S.IdatPieces = 1 + n % 3;
    S.EmptyIdat = n % 4 == 3;
    Out.push_back(MakePng(S));
    ++n;
  }
  return Out;
}

struct Chunk {
  size_t At, Length;
};

std::vector<Chunk> ChunksOf(const std::string& Png) {
  std::vector<Chunk> Out;
  size_t At = 8;
  while (At + 12 <= Png.size()) {
    size_t Length = uint32_t(uint8_t(Png[At])) << 24 | uint8_t(Png[At + 1]) << 16 | uint8_t(Png[At + 2]) << 8 |
                    uint8_t(Png[At + 3]);
    if (Length > Png.size() - At - 12) break;
    Out.push_back({At, Length});
    At += 12 + Length;
  }
  return Out;
}

void FixCrc(std::string& Png, const Chunk& c) {
  uint32_t Crc = crc32(0, reinterpret_cast<const Bytef*>(Png.data() + c.At + 4), uInt(c.Length + 4));
  Png.replace(c.At + 8 + c.Length, 4, BigEndian(Crc));
}

std::string Mutate(const std::string& Seed, std::mt19937& Random) {
  std::string Png = Seed;
  const int Edits = 1 + int(Random() % 4);
  bool FixCrcs = Random() % 3 != 0;
  for (int e = 0; e < Edits && Png.size() > 8; ++e) {
    std::vector<Chunk> Chunks = ChunksOf(Png);
    const size_t Any = Random() % Png.size();
    switch (Random() % 8) {
      case 0:
        Png[Any] = char(Png[Any] ^ (1 << (Random() % 8)));
        break;
      case 1: {
        static const uint8_t Interesting[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 16, 0x7F, 0x80, 0xFF};
        Png[Any] = char(Random() % 2 ? Interesting[Random() % sizeof Interesting] : Random());
        break;
      }
      case 2:  // a header field: width, height, depth, colour type, methods
        if (Png.size() > 28) Png[16 + Random() % 13] = char(Random() % 4 ? Random() % 20 : Random());
        break;
      case 3:
        if (!Chunks.empty()) {
          const Chunk& c = Chunks[Random() % Chunks.size()];
          static const uint32_t Lengths[] = {0, 1, 3, 13, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFF};
          uint32_t Length = Random() % 2 ? Lengths[Random() % 7] : uint32_t(c.Length + Random() % 9 - 4);
          Png.replace(c.At, 4, BigEndian(Length));
        }
        break;
      case 4:
        if (!Chunks.empty()) {
          const Chunk& c = Chunks[Random() % Chunks.size()];
          Png[c.At + 8 + c.Length + Random() % 4] ^= char(1 + Random() % 255);
          FixCrcs = false;
        }
        break;
      case 5:
        Png.resize(8 + Random() % (Png.size() - 8 + 1));
        break;
      case 6:
        if (!Chunks.empty()) {
          const Chunk& c = Chunks[Random() % Chunks.size()];
          const Chunk& Where = Chunks[Random() % Chunks.size()];
          Png.insert(Where.At, Png.substr(c.At, c.Length + 12));
        }
        break;
      case 7:  // a chunk's data changed where the CRC then agrees
        if (!Chunks.empty()) {
          const Chunk& c = Chunks[Random() % Chunks.size()];
          if (c.Length) Png[c.At + 8 + Random() % c.Length] = char(Random());
        }
        break;
    }
  }
  if (FixCrcs)
    for (const Chunk& c : ChunksOf(Png)) FixCrc(Png, c);
  return Png;
}

std::string Folder;
std::atomic<long long> Current{-1};
const std::string* CurrentInput = nullptr;
std::atomic<long long> Decoded{0}, Refused{0}, RefusedOther{0};

void PrintCounts(const char* What, long long Count) {
  std::printf("%s %lld decoded %lld refused %lld other %lld\n", What, Count, Decoded.load(), Refused.load(),
              RefusedOther.load());
  std::fflush(stdout);
}

void Keep(const char* What) {
  const std::string Path = Folder + "\\" + What + "-" + std::to_string(Current.load()) + ".png";
  if (FILE* f = std::fopen(Path.c_str(), "wb")) {
    std::fwrite(CurrentInput->data(), 1, CurrentInput->size(), f);
    std::fclose(f);
  }
  std::printf("%s %lld\n", What, Current.load());
  PrintCounts("partial", Decoded + Refused + RefusedOther);
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* Info) {
  std::printf("exception 0x%08lX\n", Info->ExceptionRecord->ExceptionCode);
  Keep("crash");
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: skin_fuzz_png FIRST COUNT FOLDER\n");
    return 2;
  }
  const long long First = std::atoll(argv[1]), Count = std::atoll(argv[2]);
  Folder = argv[3];
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  SetUnhandledExceptionFilter(OnCrash);
  const std::vector<std::string> Base = Seeds();
  std::thread([] {
    long long Seen = -1;
    DWORD Since = GetTickCount();
    for (;;) {
      Sleep(500);  // a watchdog's pace, not a wait for a state
      const long long Now = Current.load();
      if (Now != Seen) {
        Seen = Now, Since = GetTickCount();
      } else if (Now >= 0 && GetTickCount() - Since > 60000) {
        Keep("hang");
        TerminateProcess(GetCurrentProcess(), 4);
      }
    }
  }).detach();

  for (long long n = First; n < First + Count; ++n) {
    std::mt19937 Random(uint32_t(n * 2654435761u));
    const std::string Input = Mutate(Base[n % Base.size()], Random);
    CurrentInput = &Input;
    Current = n;
    try {
      TPNGGraphic Png;
      LoadPngBytes(Png, Input);
      TBitmap Out;
      CopyPngToBitmap32(Out, Png);
      ++Decoded;
    } catch (const EPngError&) {
      ++Refused;
    } catch (const Exception& e) {
      ++RefusedOther;
      if (RefusedOther <= 5) {
        const String m = e.Message();
        std::printf("other refusal at %lld: %s\n", n, std::string(m.begin(), m.end()).c_str());
      }
    }
  }
  PrintCounts("done", Count);
  return 0;
}
