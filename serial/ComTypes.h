#pragma once
// The serial port's enumerations, sets and event signatures, and the mapping
// between the component's event set and the system's event mask.
#include "framework/System.h"

#include <cstdint>
#include <functional>

enum TBaudRate : uint8_t {
  brCustom,
  br110,
  br300,
  br600,
  br1200,
  br2400,
  br4800,
  br9600,
  br14400,
  br19200,
  br38400,
  br56000,
  br57600,
  br115200,
  br128000,
  br256000
};
enum TStopBits : uint8_t { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
enum TDataBits : uint8_t { dbFive, dbSix, dbSeven, dbEight };
enum TParityBits : uint8_t { prNone, prOdd, prEven, prMark, prSpace };
enum TDTRFlowControl : uint8_t { dtrDisable, dtrEnable, dtrHandshake };
enum TRTSFlowControl : uint8_t { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };
enum TFlowControl : uint8_t { fcHardware, fcSoftware, fcNone, fcCustom };
enum TSyncMethod : uint8_t { smThreadSync, smWindowSync, smNone, smDisableEvents };

// Events as bits of a 16-bit set.
using TComEvents = uint16_t;
enum TComEvent : TComEvents {
  evRxChar = 0x1,
  evTxEmpty = 0x2,
  evRxFlag = 0x4,
  evRing = 0x8,
  evBreak = 0x10,
  evCTS = 0x20,
  evDSR = 0x40,
  evError = 0x80,
  evRLSD = 0x100,
  evRx80Full = 0x200
};
constexpr TComEvents kAllComEvents = 0x3FF;

// Line errors as bits of a byte.
using TComErrors = uint8_t;
enum TComError : TComErrors {
  ceFrame = 0x1,
  ceRxParity = 0x2,
  ceOverrun = 0x4,
  ceBreak = 0x8,
  ceIO = 0x10,
  ceMode = 0x20,
  ceRxOver = 0x40,
  ceTxFull = 0x80
};

// Input line states as bits of a byte.
using TComSignals = uint8_t;
enum TComSignal : TComSignals { csCTS = 0x1, csDSR = 0x2, csRing = 0x4, csRLSD = 0x8 };

using TRxCharEvent = std::function<void(TObject* Sender, int Count)>;
using TRxBufEvent = std::function<void(TObject* Sender, const void* Buffer, int Count)>;
using TComErrorEvent = std::function<void(TObject* Sender, TComErrors Errors)>;
using TComSignalEvent = std::function<void(TObject* Sender, bool OnOff)>;

DWORD EventsToMask(TComEvents events);
TComEvents MaskToEvents(DWORD mask);
// GetCommModemStatus bits to the component's line states.
TComSignals ModemStatusToSignals(DWORD status);
