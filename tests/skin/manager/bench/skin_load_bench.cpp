// Benchmark program (run by hand): loading "Night (internal)" from the
// program's resource, warm, median of several runs, against only inflating the
// package and decoding its pictures in the same run. The ratio is the cost of
// parsing, sections and densities.
// Usage: skin_load_bench [runs]
#include "framework/Application.h"
#include "framework/UnitTable.h"
#include "skin/manager/SkinManager.h"
#include "skin/manager/SkinPictures.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Ms(LARGE_INTEGER a, LARGE_INTEGER b) {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  return double(b.QuadPart - a.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? std::max(3, _wtoi(argv[1])) : 21;
  InitApplication();
  const std::string night = ResourceBytes(L"NIGHT_SKIN");
  TsSkinManager manager(nullptr);
  manager.SetSkinDirectory(L"c:\\no skins here");
  auto* item = manager.InternalSkins().Add();
  item->Name = L"Night (internal)";
  item->Data = night;
  std::vector<double> load, decode;
  for (int i = 0; i < runs + 2; ++i) {  // the first two warm up
    LARGE_INTEGER a, b, c;
    QueryPerformanceCounter(&a);
    manager.SetSkinName(L"Night (internal)");
    QueryPerformanceCounter(&b);
    TacSkinConvertor reader;
    ReadPackedSkin(night.data(), night.size(), reader);
    for (const TacFileItem& f : reader.Files) LoadSkinPicture(f.Data, f.Name);
    QueryPerformanceCounter(&c);
    if (i < 2) continue;
    load.push_back(Ms(a, b));
    decode.push_back(Ms(b, c));
  }
  if (!manager.IsSkinLoaded()) return 1;
  const double l = Median(load), d = Median(decode);
  std::printf("Night (internal), %d runs, %zu sections, %zu image items at %d PPI\n", runs,
              manager.SkinData()->GeneralDataArray.size(), manager.SkinData()->MaskArray.size(),
              manager.SkinData()->PPI);
  std::printf("  whole load (median)             %8.3f ms\n", l);
  std::printf("  inflate and decode only (median) %8.3f ms\n", d);
  std::printf("  ratio                            %8.2f\n", l / d);
  return 0;
}
