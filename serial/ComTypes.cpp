#include "serial/ComTypes.h"

namespace {
struct TEventBit {
  TComEvents Event;
  DWORD Mask;
};
constexpr TEventBit kEventBits[] = {
    {evRxChar, EV_RXCHAR}, {evTxEmpty, EV_TXEMPTY}, {evRxFlag, EV_RXFLAG}, {evRing, EV_RING}, {evBreak, EV_BREAK},
    {evCTS, EV_CTS},       {evDSR, EV_DSR},         {evError, EV_ERR},     {evRLSD, EV_RLSD}, {evRx80Full, EV_RX80FULL},
};
}  // namespace

DWORD EventsToMask(TComEvents events) {
  DWORD mask = 0;
  for (const auto& b : kEventBits)
    if (events & b.Event) mask |= b.Mask;
  return mask;
}

TComEvents MaskToEvents(DWORD mask) {
  TComEvents events = 0;
  for (const auto& b : kEventBits)
    if (mask & b.Mask) events |= b.Event;
  return events;
}

TComSignals ModemStatusToSignals(DWORD status) {
  TComSignals s = 0;
  if (status & MS_CTS_ON) s |= csCTS;
  if (status & MS_DSR_ON) s |= csDSR;
  if (status & MS_RING_ON) s |= csRing;
  if (status & MS_RLSD_ON) s |= csRLSD;
  return s;
}
