#pragma once
// What the main-window benchmarks share: the start-up the program's entry
// does for the skin engine, and the main window shown over a data folder
// set up for a run (short log, port closed); both undone at the end.
#include "app/MainForm.h"
#include "framework/Application.h"
#include "skin/core/SkinConstants.h"
#include "skin/core/SkinUtils.h"
#include "skin/effects/InstallEffects.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/GdiPlus.h"
#include "skin/graphics/Gradients.h"
#include "skin/graphics/PngGraphic.h"
#include "tools/bench/bench_log.h"

class TBenchMainWindow {
 public:
  TBenchMainWindow() {
    InitApplication();
    InitSkinUtils();
    InitSkinConstants();
    InitGraphUtils();
    InitGdiPlus();
    InitGradients();
    InitPngGraphic();
    InstallEffects();
    FFolder = BenchDataFolder();
    PrepareBenchFolder(FFolder, 10, false);
    FForm = Application->CreateForm<TForm1>();
    FForm->Show();
  }
  ~TBenchMainWindow() {
    delete FForm;
    for (const wchar_t* name : {L"data.txt", L"data_last.txt", L"credits.txt"}) DeleteFileW((FFolder + name).c_str());
  }
  TBenchMainWindow(const TBenchMainWindow&) = delete;
  TBenchMainWindow& operator=(const TBenchMainWindow&) = delete;

  TForm1* Form() const { return FForm; }

 private:
  String FFolder;
  TForm1* FForm = nullptr;
};
