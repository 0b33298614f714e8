#pragma once
// The screen: the forms that exist, the density the program draws at and the
// cursors controls show.
#include "framework/Cursors.h"
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
  // The shared system cursor for an identifier, never destroyed: crNone gives
  // none, crDefault and unknown identifiers the arrow.
  HCURSOR Cursors(TCursor cursor) const;

  void AddForm(TForm* form);
  void RemoveForm(TForm* form);

 private:
  std::vector<TForm*> FForms;
};

extern TScreen* const Screen;
