#include "skin/effects/MouseLight.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_map>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/Form.h"
#include "framework/Timer.h"
#include "skin/core/SkinCommand.h"
#include "skin/forms/WindowQueries.h"
#include "skin/graphics/Blend32.h"
#include "skin/graphics/Gradients.h"
#include "skin/manager/OwnedHook.h"
#include "skin/manager/SkinManager.h"
#include "skin/state/CtrlSkinData.h"
#include "skin/state/ThreadedTimer.h"

namespace {

constexpr UINT kTickInterval = 12;
constexpr double kReach = 64;

struct TLightEntry {
  POINT Offset{};
  POINT LastPointer{LONG_MIN, LONG_MIN};
  // What LightBmp was made for: rebuilt only when these change.
  int SpotRadius = -1;
  uint32_t SpotColor = 0;
};

class TacMouseLightData {
 public:
  std::vector<TsCtrlSkinData*> ControlEntries;
  std::vector<TsCtrlSkinData*> WindowEntries;
  std::unordered_map<TsCtrlSkinData*, TLightEntry> Entries;
  bool Active = false;
  bool InPass = false;

  bool Ticking() const { return FTicker && FTicker->Enabled(); }

  void Start() {
    if (!FTicker) {
      FTicker = std::make_unique<TTimer>(nullptr);
      FTicker->SetEnabled(false);
      FTicker->SetInterval(kTickInterval);
      FTicker->OnTimer = [this](TObject*) { Tick(); };
    }
    GetCursorPos(&FLastTick);
    FTicker->SetEnabled(true);
  }
  void Stop() {
    if (FTicker) FTicker->SetEnabled(false);
  }
  void Arm(bool On) {
    // Every pointer move in this thread's windows wakes the ticker; a still
    // pointer lets it sleep.
    if (On && !FHook) FHook = TOwnedHook(SetWindowsHookExW(WH_MOUSE, MouseHook, nullptr, GetCurrentThreadId()));
    if (!On) FHook.Reset();
  }

 private:
  static LRESULT CALLBACK MouseHook(int Code, WPARAM WParam, LPARAM LParam);
  void Tick() {
    MouseLightPass();
    POINT P{};
    GetCursorPos(&P);
    // The pass just run saw the pointer where it rests: nothing more to do
    // until it moves again.
    if (P.x == FLastTick.x && P.y == FLastTick.y) Stop();
    FLastTick = P;
  }
  std::unique_ptr<TTimer> FTicker;
  TOwnedHook FHook;
  POINT FLastTick{};
};

TacMouseLightData& LightData() {
  static TacMouseLightData Data;
  return Data;
}

LRESULT CALLBACK TacMouseLightData::MouseHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION && WParam == WM_MOUSEMOVE) {
    TacMouseLightData& Light = LightData();
    const bool Listed = !Light.ControlEntries.empty() || !Light.WindowEntries.empty();
    if (Light.Active && Listed && !Light.Ticking() && !Light.InPass) Light.Start();
  }
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

bool ManagerAllowsLight() {
  TsSkinManager* Manager = TsSkinManager::DefaultManager();
  return Manager && !(Manager->ComponentState() & csDesigning);
}

HWND WindowOf(TsCtrlSkinData* Data) {
  if (!Data->OwnerControl) return Data->Wnd;
  if (auto* Windowed = dynamic_cast<TWinControl*>(Data->OwnerControl)) return Windowed->HandleIfAllocated();
  TWinControl* Parent = Data->OwnerControl->Parent();
  return Parent ? Parent->HandleIfAllocated() : nullptr;
}

bool FadeRunning(TsCtrlSkinData* Data) { return Data->FadeTimer && Data->FadeTimer->Enabled(); }

void Repaint(TsCtrlSkinData* Data) {
  if (Data->OwnerControl) {
    Data->OwnerControl->Invalidate();
    return;
  }
  if (!Data->Wnd) return;
  Data->BGChanged = true;
  RedrawWindow(Data->Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool LitNow(TsCtrlSkinData* Data) {
  TControl* Control = Data->OwnerControl;
  if (!Control) return IsMouseNearControl(Data);
  TForm* Form = ParentFormOf(Control);
  const HWND FormWnd = Form ? Form->HandleIfAllocated() : nullptr;
  const HWND Wnd = WindowOf(Data);
  if (!FormWnd || IsIconic(FormWnd) || !IsWindowVisible(FormWnd) || !Wnd || !IsWindowVisible(Wnd)) return false;
  return !IsControlCovered(Control) && IsMouseNearControl(Data);
}

}  // namespace

bool MouseNearRect(const RECT& R, POINT P, POINT& Offset) {
  const int W = R.right - R.left, H = R.bottom - R.top, S = std::max(W, H);
  Offset = POINT{R.left + W / 2 - P.x, R.top + H / 2 - P.y};
  const double Ex = std::max(0, std::abs(int(Offset.x)) - W / 2 - S / 2);
  const double Ey = std::max(0, std::abs(int(Offset.y)) - H / 2 - S / 2);
  return std::sqrt(Ex * Ex + Ey * Ey) < kReach;
}

POINT LightSpotOrigin(int W, int H, POINT Offset, SIZE Spot) {
  return POINT{W / 2 - Offset.x - Spot.cx / 2, H / 2 - Offset.y - Spot.cy / 2};
}

int LightSpotRadius(int Size, int Min, int Max) { return std::max(Min, std::min(Max, Size)); }

int AddLightControl(TsCtrlSkinData* Data) {
  if (!Data) return -1;
  TacMouseLightData& Light = LightData();
  auto& List = Data->OwnerControl ? Light.ControlEntries : Light.WindowEntries;
  const auto Found = std::find(List.begin(), List.end(), Data);
  if (Found != List.end()) return int(Found - List.begin());
  List.push_back(Data);
  Light.Entries.try_emplace(Data);
  return int(List.size()) - 1;
}

void RemoveLightControl(TsCtrlSkinData* Data) {
  TacMouseLightData& Light = LightData();
  if (!Data) {
    for (TsCtrlSkinData* Entry : Light.ControlEntries) Light.Entries.erase(Entry);
    Light.ControlEntries.clear();
    return;
  }
  for (auto* List : {&Light.ControlEntries, &Light.WindowEntries})
    List->erase(std::remove(List->begin(), List->end(), Data), List->end());
  Light.Entries.erase(Data);
}

void ActivateMouseLight(bool Active) {
  TacMouseLightData& Light = LightData();
  Active = Active && ManagerAllowsLight();
  const bool Was = Light.Active;
  Light.Active = Active;
  Light.Arm(Active);
  if (Active) return;
  Light.Stop();
  // One last pass so no control stays lit.
  if (Was) MouseLightPass();
}

bool MouseLightActive() { return LightData().Active; }

bool MouseLightTicking() { return LightData().Ticking(); }

void MouseLightPass() {
  TacMouseLightData& Light = LightData();
  if (Light.InPass) return;
  Light.InPass = true;
  // A control may leave the lists while it is told: walk copies.
  for (const auto& List : {Light.ControlEntries, Light.WindowEntries})
    for (TsCtrlSkinData* Data : List) {
      if (!Light.Entries.count(Data)) continue;
      if (Data->OwnerControl)
        SendCtrlCommand(Data->OwnerControl, AC_MOUSELIGHT, 0);
      else if (Data->Wnd)
        SendMessageW(Data->Wnd, WM_SKINCOMMAND, SkinCommandWParam(AC_MOUSELIGHT), 0);
      if (Light.Entries.count(Data)) UpdateMouseLight(Data, true);
    }
  Light.InPass = false;
}

bool IsMouseNearControl(TsCtrlSkinData* Data) {
  const HWND Wnd = WindowOf(Data);
  RECT R{};
  if (!Wnd || !GetWindowRect(Wnd, &R)) return false;
  TControl* Control = Data->OwnerControl;
  if (Control && !dynamic_cast<TWinControl*>(Control)) {
    OffsetRect(&R, Control->Left(), Control->Top());
    R.right = R.left + Control->Width();
    R.bottom = R.top + Control->Height();
  }
  POINT P{};
  GetCursorPos(&P);
  TLightEntry& Entry = LightData().Entries[Data];
  return MouseNearRect(R, P, Entry.Offset);
}

void UpdateMouseLight(TsCtrlSkinData* Data, bool AllowRepaint) {
  if (!Data) return;
  TacMouseLightData& Light = LightData();
  auto Found = Light.Entries.find(Data);
  if (Found == Light.Entries.end()) return;
  // A pointer moving over a lit control keeps the ticker going.
  if (Light.Active && !Light.Ticking() && !Light.InPass) Light.Start();
  const bool WasLit = Data->LightActive;
  Data->LightActive = Light.Active && LitNow(Data);
  TLightEntry& Entry = Found->second;
  bool Needed = false;
  if (WasLit == bool(Data->LightActive)) {
    POINT P{};
    GetCursorPos(&P);
    Needed = Data->LightActive && (P.x != Entry.LastPointer.x || P.y != Entry.LastPointer.y) && !FadeRunning(Data);
    Entry.LastPointer = P;
  } else {
    Data->LightData.reset();
    Needed = !FadeRunning(Data);
  }
  if (Needed && AllowRepaint) Repaint(Data);
}

void DrawMouseLight(TsCtrlSkinData* Data, int State, TBitmap* Bitmap, TBitmap* Ref, POINT RefOffset, uint32_t Key) {
  if (!Data || !Data->UsesMouseLight(true) || Data->SkinIndex <= 0) return;
  if (!Bitmap) Bitmap = Data->CacheBmp.get();
  if (!Bitmap) return;
  TLightEntry& Entry = LightData().Entries[Data];
  TControl* Control = Data->OwnerControl;
  int Size = 0;
  if (!Control || (Control->ComponentState() & csDesigning)) {
    RECT R{};
    if (const HWND Wnd = WindowOf(Data)) GetWindowRect(Wnd, &R);
    Size = R.right - R.left;
  } else {
    switch (Control->Align()) {
      case TAlign::alLeft:
      case TAlign::alRight:
        Size = Control->Height();
        break;
      case TAlign::alClient:
        Size = std::min(Control->Width(), Control->Height());
        break;
      default:
        Size = Control->Width();
        break;
    }
  }
  const int Radius = LightSpotRadius(Size, ScaleToPPI(100, Data), ScaleToPPI(200, Data));
  const uint32_t Color = uint32_t(Data->GetLightColor(State));
  if (!Data->LightBmp || Entry.SpotRadius != Radius || Entry.SpotColor != Color) {
    Data->LightBmp = CreateGlowShape(Color, Radius, 0, 0, 0, Radius, false, false);
    Entry.SpotRadius = Radius;
    Entry.SpotColor = Color;
  }
  TBitmap& Spot = *Data->LightBmp;
  const POINT At = LightSpotOrigin(Bitmap->Width(), Bitmap->Height(), Entry.Offset, SIZE{Spot.Width(), Spot.Height()});
  const RECT Whole{0, 0, Spot.Width(), Spot.Height()};
  if (!Ref) {
    DrawBitmapAlpha(*Bitmap, Spot, Whole, At, 255);
    return;
  }
  POINT RefAt{At.x + RefOffset.x, At.y + RefOffset.y};
  if (Control) {
    RefAt.x += Control->Left();
    RefAt.y += Control->Top();
  }
  DrawBitmapAlphaExceptRef(*Bitmap, Spot, Ref, Key, Whole, At, RefAt, 255);
}
