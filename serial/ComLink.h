#pragma once
// A listener linked to a port: each assigned slot is told of that event.
#include "serial/ComTypes.h"

struct TComLink {
  TComSignalEvent OnConn;  // opened (true) or closed (false)
  TRxBufEvent OnRxBuf;     // received bytes
  TRxBufEvent OnTxBuf;     // transferred bytes
  TNotifyEvent OnTxEmpty;
  TNotifyEvent OnRxFlag;  // the event character arrived
  TComSignalEvent OnCTSChange;
  TComSignalEvent OnDSRChange;
  TComSignalEvent OnRLSDChange;
  TNotifyEvent OnRing;
  TComSignalEvent OnTx;  // transmit activity
  TComSignalEvent OnRx;  // receive activity
};
