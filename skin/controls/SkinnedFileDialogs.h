#pragma once
// The skin engine's file dialogs: the system's, which the skinned-dialog
// wrapper paints.
#include "framework/FileDialogs.h"

enum class TsZipShowing { zsAsFolder, zsAsFile };

class TsOpenDialog : public TOpenDialog {
 public:
  explicit TsOpenDialog(TComponent* Owner) : TOpenDialog(Owner) {}
  // How packed archives are listed; kept for the form, read by nothing.
  TsZipShowing ZipShowing() const { return FZipShowing; }
  void SetZipShowing(TsZipShowing Value) { FZipShowing = Value; }

 private:
  TsZipShowing FZipShowing = TsZipShowing::zsAsFolder;
};

class TsSaveDialog : public TSaveDialog {
 public:
  explicit TsSaveDialog(TComponent* Owner) : TSaveDialog(Owner) {}
};
