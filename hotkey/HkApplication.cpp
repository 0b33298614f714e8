#include "hotkey/HkApplication.h"

#include "framework/GdiHandles.h"

THkApplication* HkApplication = nullptr;

namespace {
constexpr UINT kCheckBoxesBitmap = 0x7FF7;  // OBM_CHECKBOXES: 4 columns, 3 rows of boxes
}

String THkApplication::MutexName() { return UpperCase(ExtractFileName(ExeFileName())); }

THkApplication::THkApplication() : TComponent(nullptr) {
  SetLogName(L"");
  FMutex.Reset(CreateMutexW(nullptr, FALSE, MutexName().c_str()));
  FIsPrevRunning = FMutex && GetLastError() == ERROR_ALREADY_EXISTS;
  FTimerPool = new THkTimerPool(this);
  FTimerPool->SetMinInterval(50);
  FIniCtrl = new THkIniCtrl(this);
  LARGE_INTEGER frequency{};
  if (QueryPerformanceFrequency(&frequency)) FFrequency = frequency.QuadPart;
  if (const TOwnedBitmap boxes(LoadBitmapW(nullptr, MAKEINTRESOURCEW(kCheckBoxesBitmap))); boxes) {
    BITMAP info{};
    GetObjectW(boxes.get(), sizeof(info), &info);
    FCheckWidth = info.bmWidth / 4;
    FCheckHeight = info.bmHeight / 3;
  }
}

THkApplication::~THkApplication() = default;

void THkApplication::SetLogName(const String& name) {
  String n = name;
  if (n.find_first_not_of(L' ') == String::npos)
    n = ChangeFileExt(ExeFileName(), L".LOG");
  else if (ExtractFileExt(n).empty())
    n += L".LOG";
  FLogName = FLogPrefix == THkPathPrefix::ppFixed ? n : PathPrefixFolder(FLogPrefix, true) + ExtractFileName(n);
}

void InitHkApplicationUnit() { HkApplication = new THkApplication(); }

void DoneHkApplicationUnit() {
  delete HkApplication;
  HkApplication = nullptr;
}
