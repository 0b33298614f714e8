#include "serial/ComSettings.h"

#include "serial/ComPort.h"

// ---- TComParity ---------------------------------------------------------------

void TComParity::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TComParity*>(&source)) {
    FBits = s->FBits;
    FCheck = s->FCheck;
    FReplace = s->FReplace;
    FReplaceChar = s->FReplaceChar;
  } else {
    TPersistent::Assign(source);
  }
}

void TComParity::Changed() {
  if (FComPort) FComPort->ApplyDCB();
}

void TComParity::SetBits(TParityBits v) {
  if (v == FBits) return;
  FBits = v;
  Changed();
}

void TComParity::SetCheck(bool v) {
  if (v == FCheck) return;
  FCheck = v;
  Changed();
}

void TComParity::SetReplace(bool v) {
  if (v == FReplace) return;
  FReplace = v;
  Changed();
}

void TComParity::SetReplaceChar(char v) {
  if (v == FReplaceChar) return;
  FReplaceChar = v;
  Changed();
}

// ---- TComTimeouts -------------------------------------------------------------

void TComTimeouts::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TComTimeouts*>(&source)) {
    FReadInterval = s->FReadInterval;
    FReadTotalMultiplier = s->FReadTotalMultiplier;
    FReadTotalConstant = s->FReadTotalConstant;
    FWriteTotalMultiplier = s->FWriteTotalMultiplier;
    FWriteTotalConstant = s->FWriteTotalConstant;
  } else {
    TPersistent::Assign(source);
  }
}

void TComTimeouts::Set(int& field, int v) {
  if (field == v) return;
  field = v;
  if (FComPort) FComPort->ApplyTimeouts();
}

void TComTimeouts::SetReadInterval(int v) { Set(FReadInterval, v); }
void TComTimeouts::SetReadTotalMultiplier(int v) { Set(FReadTotalMultiplier, v); }
void TComTimeouts::SetReadTotalConstant(int v) { Set(FReadTotalConstant, v); }
void TComTimeouts::SetWriteTotalMultiplier(int v) { Set(FWriteTotalMultiplier, v); }
void TComTimeouts::SetWriteTotalConstant(int v) { Set(FWriteTotalConstant, v); }

// ---- TComFlowControl ----------------------------------------------------------

void TComFlowControl::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TComFlowControl*>(&source)) {
    FOutCTSFlow = s->FOutCTSFlow;
    FOutDSRFlow = s->FOutDSRFlow;
    FControlDTR = s->FControlDTR;
    FControlRTS = s->FControlRTS;
    FXonXoffOut = s->FXonXoffOut;
    FXonXoffIn = s->FXonXoffIn;
    FDSRSensitivity = s->FDSRSensitivity;
    FTxContinueOnXoff = s->FTxContinueOnXoff;
    FXonChar = s->FXonChar;
    FXoffChar = s->FXoffChar;
  } else {
    TPersistent::Assign(source);
  }
}

void TComFlowControl::Changed() {
  if (FComPort) FComPort->ApplyDCB();
}

TFlowControl TComFlowControl::FlowControl() const {
  if (FControlRTS == rtsHandshake && FOutCTSFlow && !FXonXoffIn && !FXonXoffOut) return fcHardware;
  if (FControlRTS == rtsDisable && !FOutCTSFlow && FXonXoffIn && FXonXoffOut) return fcSoftware;
  if (FControlRTS == rtsDisable && !FOutCTSFlow && !FXonXoffIn && !FXonXoffOut) return fcNone;
  return fcCustom;
}

void TComFlowControl::SetFlowControl(TFlowControl v) {
  if (v != fcCustom) {
    FControlRTS = rtsDisable;
    FOutCTSFlow = false;
    FXonXoffIn = false;
    FXonXoffOut = false;
    if (v == fcHardware) {
      FControlRTS = rtsHandshake;
      FOutCTSFlow = true;
    } else if (v == fcSoftware) {
      FXonXoffIn = true;
      FXonXoffOut = true;
    }
  }
  Changed();
}

// ---- TComBuffer ---------------------------------------------------------------

void TComBuffer::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TComBuffer*>(&source)) {
    FInputSize = s->FInputSize;
    FOutputSize = s->FOutputSize;
  } else {
    TPersistent::Assign(source);
  }
}

void TComBuffer::Set(int& field, int v) {
  if (field == v) return;
  field = (v > 0 && v % 2 == 1) ? v - 1 : v;
  if (FComPort) FComPort->ApplyBuffer();
}

void TComBuffer::SetInputSize(int v) { Set(FInputSize, v); }
void TComBuffer::SetOutputSize(int v) { Set(FOutputSize, v); }
