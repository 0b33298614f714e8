#pragma once
// The screen: the forms that exist and the density the program draws at.
#include "framework/System.h"

#include <vector>

class TForm;

class TScreen {
 public:
  // Forms in creation order; callers that may free forms while walking walk
  // last to first.
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TForm* Forms(int index) const { return FForms.at(index); }
  // The density of the screen in pixels per inch, as the system reports it to
  // this program (96 unless the program declares itself DPI-aware).
  int PixelsPerInch() const;

  void AddForm(TForm* form);
  void RemoveForm(TForm* form);

 private:
  std::vector<TForm*> FForms;
};

extern TScreen* const Screen;
