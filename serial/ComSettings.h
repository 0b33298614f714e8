#pragma once
// The port's settings groups. Each setter stores a changed value and asks the
// port to re-apply its group, which the port does only while open.
#include "framework/Component.h"
#include "serial/ComTypes.h"

class TComPortAbstract;

class TComParity : public TPersistent {
 public:
  explicit TComParity(TComPortAbstract* port = nullptr) : FComPort(port) {}
  void Assign(const TPersistent& source) override;

  TParityBits Bits() const { return FBits; }
  void SetBits(TParityBits v);
  bool Check() const { return FCheck; }
  void SetCheck(bool v);
  bool Replace() const { return FReplace; }
  void SetReplace(bool v);
  char ReplaceChar() const { return FReplaceChar; }
  void SetReplaceChar(char v);

 private:
  void Changed();
  TComPortAbstract* FComPort;
  TParityBits FBits = prNone;
  bool FCheck = false;
  bool FReplace = false;
  char FReplaceChar = 0;
};

class TComTimeouts : public TPersistent {
 public:
  explicit TComTimeouts(TComPortAbstract* port = nullptr) : FComPort(port) {}
  void Assign(const TPersistent& source) override;

  // In the order of the system's COMMTIMEOUTS record.
  int ReadInterval() const { return FReadInterval; }
  void SetReadInterval(int v);
  int ReadTotalMultiplier() const { return FReadTotalMultiplier; }
  void SetReadTotalMultiplier(int v);
  int ReadTotalConstant() const { return FReadTotalConstant; }
  void SetReadTotalConstant(int v);
  int WriteTotalMultiplier() const { return FWriteTotalMultiplier; }
  void SetWriteTotalMultiplier(int v);
  int WriteTotalConstant() const { return FWriteTotalConstant; }
  void SetWriteTotalConstant(int v);

 private:
  void Set(int& field, int v);
  TComPortAbstract* FComPort;
  int FReadInterval = -1;
  int FReadTotalMultiplier = 0;
  int FReadTotalConstant = 0;
  int FWriteTotalMultiplier = 100;
  int FWriteTotalConstant = 1000;
};

class TComFlowControl : public TPersistent {
 public:
  explicit TComFlowControl(TComPortAbstract* port = nullptr) : FComPort(port) {}
  void Assign(const TPersistent& source) override;

  // Computed from the individual settings; setting a preset rewrites them.
  TFlowControl FlowControl() const;
  void SetFlowControl(TFlowControl v);

  bool OutCTSFlow() const { return FOutCTSFlow; }
  void SetOutCTSFlow(bool v) { Set(FOutCTSFlow, v); }
  bool OutDSRFlow() const { return FOutDSRFlow; }
  void SetOutDSRFlow(bool v) { Set(FOutDSRFlow, v); }
  TDTRFlowControl ControlDTR() const { return FControlDTR; }
  void SetControlDTR(TDTRFlowControl v) { Set(FControlDTR, v); }
  TRTSFlowControl ControlRTS() const { return FControlRTS; }
  void SetControlRTS(TRTSFlowControl v) { Set(FControlRTS, v); }
  bool XonXoffOut() const { return FXonXoffOut; }
  void SetXonXoffOut(bool v) { Set(FXonXoffOut, v); }
  bool XonXoffIn() const { return FXonXoffIn; }
  void SetXonXoffIn(bool v) { Set(FXonXoffIn, v); }
  bool DSRSensitivity() const { return FDSRSensitivity; }
  void SetDSRSensitivity(bool v) { Set(FDSRSensitivity, v); }
  bool TxContinueOnXoff() const { return FTxContinueOnXoff; }
  void SetTxContinueOnXoff(bool v) { Set(FTxContinueOnXoff, v); }
  char XonChar() const { return FXonChar; }
  void SetXonChar(char v) { Set(FXonChar, v); }
  char XoffChar() const { return FXoffChar; }
  void SetXoffChar(char v) { Set(FXoffChar, v); }

 private:
  template <class T>
  void Set(T& field, T v) {
    if (field == v) return;
    field = v;
    Changed();
  }
  void Changed();
  TComPortAbstract* FComPort;
  bool FOutCTSFlow = false;
  bool FOutDSRFlow = false;
  TDTRFlowControl FControlDTR = dtrDisable;
  TRTSFlowControl FControlRTS = rtsDisable;
  bool FXonXoffOut = false;
  bool FXonXoffIn = false;
  bool FDSRSensitivity = false;
  bool FTxContinueOnXoff = false;
  char FXonChar = 17;
  char FXoffChar = 19;
};

class TComBuffer : public TPersistent {
 public:
  explicit TComBuffer(TComPortAbstract* port = nullptr) : FComPort(port) {}
  void Assign(const TPersistent& source) override;

  // Sizes are kept even: an odd positive size is lowered by one.
  int InputSize() const { return FInputSize; }
  void SetInputSize(int v);
  int OutputSize() const { return FOutputSize; }
  void SetOutputSize(int v);

 private:
  void Set(int& field, int v);
  TComPortAbstract* FComPort;
  int FInputSize = 1024;
  int FOutputSize = 1024;
};
