// Feeds mutated packed skins, option texts, image descriptors and received-skin
// records to the loader and counts what goes wrong. Not a test: run by hand,
//   skin_fuzz [inputs] [seed]
// Crashes end the program; exceptions, slow inputs and allocations above the
// cap are counted and the first few inputs of each are saved.
#include "framework/Application.h"
#include "framework/UnitTable.h"
#include "skin/manager/ImageDescriptor.h"
#include "skin/manager/ReceivedSkin.h"
#include "skin/manager/SkinColorAdjust.h"
#include "skin/manager/SkinDataBuilder.h"
#include "skin/manager/SkinManager.h"
#include "skin/manager/SkinPictures.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>

namespace {
std::atomic<size_t> LargestAllocation{0};
}

void* operator new(size_t size) {
  size_t seen = LargestAllocation.load();
  while (size > seen && !LargestAllocation.compare_exchange_weak(seen, size)) {
  }
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

constexpr size_t AllocationCap = MaxPackedEntrySize + (1u << 20);

std::mt19937 Rng;

size_t Pick(size_t n) { return n ? std::uniform_int_distribution<size_t>(0, n - 1)(Rng) : 0; }

std::string Mutate(std::string s) {
  const int edits = 1 + int(Pick(8));
  for (int e = 0; e < edits; ++e) {
    switch (Pick(7)) {
      case 0:  // flip a bit
        if (!s.empty()) s[Pick(s.size())] ^= char(1 << Pick(8));
        break;
      case 1:  // a random byte
        if (!s.empty()) s[Pick(s.size())] = char(Pick(256));
        break;
      case 2:  // cut
        s.resize(Pick(s.size() + 1));
        break;
      case 3: {  // an interesting 32-bit value
        static const uint32_t values[] = {0, 1, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 0x04000001u, 65536};
        if (s.size() >= 4) {
          uint32_t v = values[Pick(7)];
          std::memcpy(&s[Pick(s.size() - 3)], &v, 4);
        }
        break;
      }
      case 4: {  // duplicate a piece
        if (s.empty()) break;
        size_t at = Pick(s.size()), len = Pick(std::min<size_t>(64, s.size() - at) + 1);
        s.insert(Pick(s.size() + 1), s.substr(at, len));
        break;
      }
      case 5: {  // a token of the format
        static const char* tokens[] = {
            "PARENTCLASS=", "[",  "]",    "=",    "\r\n", "&",    "^",       "!",    "~",          "@",    "$FFFFFFFF",
            "99999999999",  "-1", "*150", ".BMP", ".JPG", ".PNG", "STATES=", "SKzf", "previewimg", "0000", "9999"};
        s.insert(Pick(s.size() + 1), tokens[Pick(sizeof(tokens) / sizeof(*tokens))]);
        break;
      }
      default:  // remove a piece
        if (!s.empty()) {
          size_t at = Pick(s.size());
          s.erase(at, Pick(std::min<size_t>(32, s.size() - at) + 1));
        }
    }
  }
  return s;
}

struct Counts {
  long inputs = 0, exceptions = 0, slow = 0, overCap = 0, loaded = 0;
};

void Save(const char* kind, long n, const std::string& bytes) {
  char name[64];
  std::snprintf(name, sizeof name, "fuzz_%s_%ld.bin", kind, n);
  if (FILE* f = std::fopen(name, "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const long total = argc > 1 ? std::wcstol(argv[1], nullptr, 10) : 100000;
  Rng.seed(argc > 2 ? unsigned(std::wcstoul(argv[2], nullptr, 10)) : 12);
  InitApplication();
  const std::string night = ResourceBytes(L"NIGHT_SKIN");
  TacSkinConvertor base;
  if (ReadPackedSkin(night.data(), night.size(), base) != TacPackedError::None || !base.Options) {
    std::fprintf(stderr, "no internal skin\n");
    return 2;
  }
  const std::string options = *base.Options;
  auto master = LoadSkinPicture(base.Files[0].Data, L".PNG");
  std::vector<std::string> descriptors;
  TacSkinOptions parsed(options);
  for (const auto& s : parsed.Sections())
    for (const auto& k : s.Keys)
      if (IsImageValue(k.Value)) descriptors.emplace_back(k.Value.begin(), k.Value.end());
  descriptors.push_back("^0000^0000^0040^0020^0004^0003^0002^0001^2^1^3");
  descriptors.push_back("!X.BMP!2!1!2!0001!0002!0003!0004!5");

  Counts c;
  const int ppis[] = {96, 120, 144, 192, 72, 300};
  const auto start = std::chrono::steady_clock::now();
  for (long i = 0; i < total; ++i) {
    const int kind = int(Pick(4));
    std::string input;
    LargestAllocation = 0;
    const auto t0 = std::chrono::steady_clock::now();
    try {
      switch (kind) {
        case 0: {  // packed file, then everything it holds
          input = Mutate(night);
          TacSkinConvertor reader;
          if (ReadPackedSkin(input.data(), input.size(), reader) == TacPackedError::None && reader.Options) {
            TacSkinOptions o(*reader.Options);
            std::unique_ptr<TBitmap> pic;
            if (!reader.Files.empty() && Pick(8) == 0) pic = LoadSkinPicture(reader.Files[0].Data, L".PNG");
            TacSkinData d(ppis[Pick(6)]);
            TacBuildInput in;
            in.Options = &o;
            in.MasterBitmap = pic ? pic.get() : master.get();
            BuildSkinData(d, in);
            ++c.loaded;
          }
          std::string preview;
          ExtractPreviewImage(input.data(), input.size(), preview);
          break;
        }
        case 1: {  // option text
          input = Mutate(options);
          TacSkinOptions o(input);
          // Half the time a damaged piece of the text as the manager's common
          // sections too.
          const size_t from = Pick(options.size());
          TacSkinOptions common(Pick(2) ? Mutate(options.substr(from, Pick(4000))) : std::string());
          TacSkinData d(ppis[Pick(6)]);
          TacSkinGlobals g;
          const TacColorAdjustment adjust{int(Pick(2001)) - 1000, int(Pick(201)) - 100, int(Pick(201)) - 100};
          const bool adjusted = Pick(8) == 0;
          if (adjusted) {
            g.MasterBitmap = LoadSkinPicture(base.Files[0].Data, L".PNG");
            AdjustMasterBitmap(g, o, adjust);
          }
          TacBuildInput in;
          in.Options = &o;
          in.Common = &common;
          in.MasterBitmap = adjusted ? g.MasterBitmap.get() : master.get();
          in.ReadFile = [&](const String&) -> std::optional<std::string> { return base.Files[0].Data; };
          BuildSkinData(d, in);
          if (adjusted) AdjustSkinData(d, g, adjust);
          ++c.loaded;
          break;
        }
        case 2: {  // one image descriptor in a small skin
          input = Mutate(descriptors[Pick(descriptors.size())]);
          TacSkinOptions o("[GLOBALINFO]\r\nIMG=" + input + "\r\nIMG*150=" + Mutate(input) +
                           "\r\n[EDIT]\r\nBORDERSMASK=" + input + "\r\n");
          TacSkinData d(ppis[Pick(6)]);
          TacBuildInput in;
          in.Options = &o;
          in.MasterBitmap = master.get();
          BuildSkinData(d, in);
          break;
        }
        default: {  // received record
          std::string record(ReceivedSkinRecordSize, '\0');
          const uint32_t tag = ReceivedSkinTag;
          std::memcpy(record.data(), &tag, 4);
          record.replace(772, std::min<size_t>(options.size(), 40001), options.substr(0, 40001));
          input = Pick(4) ? Mutate(record) : record;
          COPYDATASTRUCT cds{ULONG_PTR(Pick(8) ? 2 : Pick(5)), DWORD(input.size()), input.data()};
          if (auto skin = ParseReceivedSkin(cds)) {
            TacSkinOptions o(skin->OptionText);
            TacSkinData d(96);
            TacBuildInput in;
            in.Options = &o;
            in.MasterBitmap = master.get();
            BuildSkinData(d, in);
          }
        }
      }
    } catch (const std::exception& e) {
      if (c.exceptions++ < 5) {
        Save("exception", i, input);
        std::fprintf(stderr, "input %ld (kind %d): %s\n", i, kind, e.what());
      }
    }
    ++c.inputs;
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    if (ms > 2000 && c.slow++ < 5) Save("slow", i, input);
    if (LargestAllocation > AllocationCap && c.overCap++ < 5) Save("overcap", i, input);
    if ((i + 1) % 10000 == 0) {
      std::fprintf(stderr, "%ld inputs\n", i + 1);
      std::fflush(stderr);
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("inputs %ld, built %ld, exceptions %ld, slow (>2 s) %ld, allocations above %zu bytes %ld, %.0f s\n",
              c.inputs, c.loaded, c.exceptions, c.slow, AllocationCap, c.overCap, seconds);
  return c.exceptions || c.slow || c.overCap ? 1 : 0;
}
