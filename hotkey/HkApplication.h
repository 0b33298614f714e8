#pragma once
// The hot key library's application-wide object: its own named mutex (the
// executable's file name in upper case), a timer pool and the ini settings.
#include "framework/Graphics.h"
#include "hotkey/HkIniCtrl.h"
#include "hotkey/HkTimerPool.h"

class THkApplication : public TComponent {
 public:
  THkApplication();
  ~THkApplication() override;

  // True when another process held the mutex when this one started.
  bool IsPrevRunning() const { return FIsPrevRunning; }
  THkTimerPool& TimerPool() { return *FTimerPool; }
  THkIniCtrl& IniCtrl() { return *FIniCtrl; }
  const String& LogName() const { return FLogName; }
  // A blank name means the executable's name with ".LOG"; the file lands in
  // the folder of LogPrefix unless that is ppFixed.
  void SetLogName(const String& name);
  THkPathPrefix LogPrefix() const { return FLogPrefix; }
  int64_t PerformanceFrequency() const { return FFrequency; }
  int CheckWidth() const { return FCheckWidth; }
  int CheckHeight() const { return FCheckHeight; }
  bool UseXPThemes() const { return FUseXPThemes; }

  static String MutexName();

 private:
  uint32_t FOptions = 0x36;
  bool FUpdate = false;
  int32_t FCounter = 0;
  THkPathPrefix FLogPrefix = THkPathPrefix::ppProgram;
  int32_t FLogMaxSize = -1;
  int64_t FStartTime = 0;
  String FLogName;
  bool FUseXPThemes = true;
  int FEffectDelay = 3;
  TColor FLastColor = clNone;
  String FMask = L"#tdl";
  bool FIsPrevRunning = false;
  TOwnedHandle FMutex;
  THkTimerPool* FTimerPool;
  int FEditMode = 1;
  THkIniCtrl* FIniCtrl;
  int64_t FFrequency = 0;
  int FCheckWidth = 0, FCheckHeight = 0;
};

// Made by the unit's start-up, freed by its shut-down.
extern THkApplication* HkApplication;

void InitHkApplicationUnit();
void DoneHkApplicationUnit();
