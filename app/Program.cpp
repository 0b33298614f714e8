// The program's entry: units start in a fixed order, the two forms are made
// and the message loop runs until the main window closes.
#include "app/AppState.h"
#include "app/MainForm.h"
#include "app/PasswordDlg.h"
#include "framework/Application.h"
#include "framework/UnitTable.h"
#include "runtime/install/InstalledAllocator.h"
#include "serial/TerminalFont.h"
#include "skin/core/SkinConstants.h"
#include "skin/core/SkinUtils.h"
#include "skin/effects/InstallEffects.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/graphics/GdiPlus.h"
#include "skin/graphics/Gradients.h"
#include "skin/graphics/PngGraphic.h"
#include "skin/manager/SkinVersionCheck.h"
#include "hotkey/HkApplication.h"
#include "hotkey/HkVersion.h"

#include <objbase.h>

namespace {

void InitCom() { CoInitialize(nullptr); }
void DoneCom() { CoUninitialize(); }

// The memory manager serves every allocation from the very first one; its
// entry only marks its place. It never gives memory back at exit.
void InstallAllocator() { mm::InstallMemoryManager(); }

TUnitEntry g_units[] = {
    {L"MemoryManager", InstallAllocator, nullptr},
    {L"ComObj", InitCom, DoneCom},
    {L"Forms", InitApplication, DoneApplication},
    {L"CPort", InitComPortUnit, DoneComPortUnit},
    {L"SkinUtils", InitSkinUtils, DoneSkinUtils},
    {L"SkinConstants", InitSkinConstants, DoneSkinConstants},
    // The class-name lists' unit: the process declares its density awareness
    // before any form exists.
    {L"SkinClassLists", InitDensityAwareness, nullptr},
    {L"ColorAdjust", InitGraphUtils, DoneGraphUtils},
    {L"GdiPlus", InitGdiPlus, DoneGdiPlus},
    {L"Gradients", InitGradients, DoneGradients},
    {L"PngGraphic", InitPngGraphic, DonePngGraphic},
    // The effects reach the controls' skin state through its hooks.
    {L"SkinEffects", InstallEffects, DoneEffects},
    // "/acver" and "/acpreview", read before any skin is loaded.
    {L"SkinCommandLine", InitSkinCommandLine, nullptr},
    {L"hkVersion", InitHkVersionUnit, DoneHkVersionUnit},
    {L"hkApplication", InitHkApplicationUnit, DoneHkApplicationUnit},
    {L"uKelvra", InitAppUnit, DoneAppUnit},
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TUnitTable units(g_units, static_cast<int>(std::size(g_units)));
  int exitCode = 0;
  try {
    units.Initialize();
    Application->Initialize();
    Application->SetTitle(kProductName);
    Application->CreateForm(&Form1);
    Application->CreateForm(&FormPasswordDlg);
    Application->Run();
  } catch (...) {
    if (Application) Application->HandleException(nullptr);
    exitCode = 1;
  }
  units.Finalize();
  return exitCode;
}
