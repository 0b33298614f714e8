#pragma once
// An item of the skinned combo as the program may reshape it just before it
// is drawn: its text, a second text in the caption engine's tags under it,
// and an image of the combo's list beside both. One routine draws it, for
// the face and the list's rows alike.
#include <cstdint>
#include <functional>

#include "framework/Bitmap.h"
#include "framework/ImageList.h"

class TsSkinManager;
enum class TVerticalAlignment;  // the edits' line placement (SkinnedEditBase.h)

struct TacItemDrawData {
  TFont* Font = nullptr;  // the paint's font; the handler may change it
  String Text;
  String HtmlText;  // under Text, wrapped; empty by default
  int Index = -1;
  int ImageIndex = -1;  // into the combo's Images
  uint16_t State = 0;   // the acItem* paint flags
};
using TacGetItemDrawData = std::function<void(TObject* Sender, TacItemDrawData& ItemDrawData)>;

// Where an item goes and in what colours.
struct TacItemSlot {
  TBitmap* Bmp = nullptr;
  RECT Rect{};  // the face's text rectangle, or the whole row
  bool Face = false;
  int Height = 0;  // the slot: the control's height for the face, a row's height
  int Width = 0;   // the control's width, which HtmlText wraps in
  TCustomImageList* Images = nullptr;
  int PPI = 96;
  int Spacing = 4;
  TVerticalAlignment Alignment{};  // at the top
  bool Selected = false;
  int TextSection = -1;  // the section whose colours Text is drawn in; -1 plain
  TsSkinManager* Manager = nullptr;
};

// The image column beside the text: the image's width and Spacing; 0
// without images.
int ItemImageColumnWidth(TCustomImageList* Images, int PPI, int Spacing);
// Html as it reads: tags taken out, "<br>" kept as a line break.
String StripHtmlTags(const String& Html);
// Data into Slot: the image at the left of the text block, Text on one line,
// HtmlText under it.
void DrawComboItemData(const TacItemSlot& Slot, const TacItemDrawData& Data);
