#include "skin/manager/SkinGlobals.h"

#include "framework/AnsiText.h"
#include "skin/graphics/ColorAdjust.h"
#include "skin/manager/PackedSkin.h"
#include "skin/manager/SkinPictures.h"
#include "skin/manager/SkinSource.h"

namespace {

const String G = L"GLOBALINFO";

String InFolder(const String& folder, const String& name) {
  return name.find(L':') != String::npos ? name : folder + name;
}

uint32_t SysColor(int index) { return GetSysColor(index); }

}  // namespace

TacSkinFont::TacSkinFont(std::string bytes, String fileName, String fontName)
    : FBytes(std::move(bytes)), FFileName(std::move(fileName)), FFontName(std::move(fontName)) {
  DWORD count = 0;
  if (!FBytes.empty()) FHandle = AddFontMemResourceEx(FBytes.data(), DWORD(FBytes.size()), nullptr, &count);
}

TacSkinFont::~TacSkinFont() {
  if (FHandle) RemoveFontMemResourceEx(FHandle);
}

void TacPaletteBrushes::Make(const std::array<uint32_t, 59>& palette) {
  for (int i = 0; i < 6; ++i) {
    const uint32_t colour = palette[i] & 0xFFFFFF;
    if (FBrushes[i] && FColors[i] == colour) continue;
    if (FBrushes[i]) FReplaced.push_back(std::move(FBrushes[i]));
    FBrushes[i].Reset(CreateSolidBrush(colour));
    FColors[i] = colour;
  }
}

void TacSkinGlobals::Clear() {
  MasterBitmap.reset();
  Fonts.clear();
  Palette = {};
  Version = 0;
}

void ReadGlobalInfo(TacSkinGlobals& g, const TacSkinOptions& o, const TacSkinConvertor* reader,
                    const String& skinFolder) {
  g.MasterBitmapName = o.ReadString(G, L"MASTERBITMAP", String());
  g.MasterBitmap.reset();
  if (!g.MasterBitmapName.empty()) {
    std::optional<std::string> bytes;
    if (reader) {
      // Package items are compared upper-cased against the value as written.
      for (const TacFileItem& item : reader->Files)
        if (UpperCase(item.Name) == g.MasterBitmapName) {
          bytes = item.Data;
          break;
        }
    } else {
      bytes = ReadSkinFile(InFolder(skinFolder, g.MasterBitmapName));
    }
    if (bytes) {
      // ".PNG" in the name is decoded as PNG, anything else as a bitmap.
      String kind = UpperCase(g.MasterBitmapName).find(L".PNG") != String::npos ? L".PNG" : L".BMP";
      g.MasterBitmap = LoadSkinPicture(*bytes, kind);
    }
  }
  g.Author = o.ReadString(G, L"AUTHOR", String());
  g.Description = o.ReadString(G, L"DESCRIPTION", String());
  g.MainFont = o.ReadString(G, L"MainFont", String());
  g.AeroBlur = o.ReadInteger(G, L"AEROBLUR", 0);
  g.BrightMin = o.ReadInteger(G, L"BRIGHTMIN", -50);
  g.BrightMax = o.ReadInteger(G, L"BRIGHTMAX", 50);
  g.BIVAlign = o.ReadInteger(G, L"BIVALIGN", 0);
  g.BIKeepHue = o.ReadInteger(G, L"BIKEEPHUE", 0);
  g.Shadow1Color = uint32_t(o.ReadInteger(G, L"SHADOW1COLOR", 0));
  g.DefLight = uint32_t(o.ReadInteger(G, L"DEFLIGHT", -1));
  g.ArrowStyle = o.ReadInteger(G, L"ARROWSTYLE", 0);
  g.Version = o.ReadFloat(G, L"VERSION", 0);

  g.Fonts.clear();
  // A count from the file bounds a loop only; it never sizes anything.
  const int count = std::min(o.ReadInteger(G, L"FontCount", 0), 1000);
  if (reader) {
    for (const TacFileItem& item : reader->Files) {
      if (item.Kind != 1) continue;
      String fontName;
      for (int i = 0; i < count; ++i)
        if (o.ReadString(G, L"FontFile" + std::to_wstring(i), String()) == item.Name) {
          fontName = o.ReadString(G, L"FontName" + std::to_wstring(i), String());
          break;
        }
      g.Fonts.push_back(std::make_unique<TacSkinFont>(item.Data, item.Name, fontName));
    }
  } else {
    for (int i = 0; i < count; ++i) {
      String file = o.ReadString(G, L"FontFile" + std::to_wstring(i), String());
      auto bytes = file.empty() ? std::nullopt : ReadSkinFile(file);
      g.Fonts.push_back(std::make_unique<TacSkinFont>(bytes ? *bytes : std::string(), file,
                                                      o.ReadString(G, L"FontName" + std::to_wstring(i), String())));
    }
  }
}

void LoadSkinPalette(TacSkinGlobals& g, const TacSkinOptions& o, const TacSkinData& data) {
  auto& p = g.Palette;
  auto key = [&](const wchar_t* name, uint32_t def) { return uint32_t(o.ReadInteger(G, name, int(def))); };
  auto key64 = [&](const wchar_t* name, uint32_t def) {
    return uint32_t(uint64_t(o.ReadInt64(G, name, int64_t(def))) & 0xFFFFFFFFu);
  };
  const TsGeneralData* edit = nullptr;
  const TsGeneralData* selection = nullptr;
  const TsGeneralData* menuItem = nullptr;
  const TsGeneralData* hint = nullptr;
  if (int i = data.SectionIndex(L"EDIT"); i >= 0) edit = &data.GeneralDataArray[i];
  if (int i = data.SectionIndex(L"SELECTION"); i >= 0) selection = &data.GeneralDataArray[i];
  if (int i = data.SectionIndex(L"MENUITEM"); i >= 0) menuItem = &data.GeneralDataArray[i];
  if (int i = data.SectionIndex(L"HINT"); i >= 0) hint = &data.GeneralDataArray[i];
  constexpr uint32_t flag = 0xFF000000u;

  p[0] = key(L"COLOR", SysColor(COLOR_BTNFACE));
  p[1] = key(L"FONTCOLOR", 0);
  p[2] = key(L"TCBOTTOM", 0xFF0000);
  p[3] = key(L"TCTOP", 0x0000FF);
  p[4] = edit ? edit->Props[0].FontColor : SysColor(COLOR_WINDOWTEXT);
  p[5] = edit ? edit->Props[0].Color : SysColor(COLOR_WINDOW);
  if (selection) {
    const TsGenState& focused = selection->Props[selection->States >= 2 ? 1 : 0];
    p[8] = focused.Color;
    p[9] = focused.FontColor;
    p[6] = selection->Props[0].Color;
    p[7] = selection->Props[0].FontColor;
  } else {
    p[6] = p[7] = p[8] = p[9] = 0xFFFFFFFF;
  }
  if (p[7] == 0xFFFFFFFF || p[7] == 0xFF00FF) {
    if (menuItem) {
      p[6] = p[8] = menuItem->Props[1].Color;
      uint32_t text = menuItem->Props[1].FontColor;
      p[7] = text == 0xFFFFFFFF || text == 0xFF00FF ? SysColor(COLOR_HIGHLIGHTTEXT) : text;
      p[9] = p[7];
    } else {
      p[7] = p[9] = SysColor(COLOR_HIGHLIGHTTEXT);
      p[6] = p[8] = SysColor(COLOR_HIGHLIGHT);
    }
  }
  p[10] = key(L"EDITBG_INV", p[4]);
  p[11] = key(L"EDITTEXT_INV", p[5]);
  p[12] = key(L"EDITBG_ODD", p[5]);
  p[13] = key(L"EDITBG_EVEN", MixColors(p[4], p[5], 13));
  p[14] = key(L"EDITTEXT_OK", 0x404000);
  p[15] = key(L"EDITTEXT_WARN", 0x004C4C);
  p[16] = p[17] = p[18] = key(L"EDITTEXT_ALERT", 0x00006C);
  p[19] = key(L"EDITBG_OK", 0xC9FFD2);
  p[20] = key(L"EDITBG_WARN", 0xBAFFFF);
  p[21] = p[22] = p[23] = key(L"EDITBG_ALERT", 0xDBDBFF);
  p[24] = key(L"EDITTEXT_H1", 0);
  p[25] = key(L"EDITTEXT_H2", 0);
  p[26] = key(L"EDITTEXT_H3", 0);
  p[55] = key(L"BORDERCOLOR", 0);
  p[27] = key64(L"BTNCOLOR1ACTIVE", MixColors(p[0], 0xFFFFFF, 177) | flag);
  p[28] = key64(L"BTNCOLOR2ACTIVE", p[0] | flag);
  p[29] = key(L"BTNBORDERACTIVE", p[55]);
  p[30] = key(L"BTNFONTACTIVE", p[1]);
  p[31] = key64(L"BTNCOLOR1NORMAL", p[0] | flag);
  p[32] = key64(L"BTNCOLOR2NORMAL", MixColors(p[0], 0, 244) | flag);
  p[33] = key(L"BTNBORDERNORMAL", p[55]);
  p[34] = key(L"BTNFONTNORMAL", p[1]);
  p[35] = key64(L"BTNCOLOR1PRESSED", MixColors(p[0], 0, 233) | flag);
  p[36] = key64(L"BTNCOLOR2PRESSED", MixColors(p[0], 0, 233) | flag);
  p[37] = key(L"BTNBORDERPRESSED", p[55]);
  p[38] = key(L"BTNFONTPRESSED", p[1]);
  struct Tone {
    const wchar_t* name;
    const wchar_t* active;
    uint32_t def;
  };
  const Tone tones[8] = {{L"COLORTONERED", L"COLORTONEREDACTIVE", 0x9E9EFF},
                         {L"COLORTONEGREEN", L"COLORTONEGREENACTIVE", 0x7BD098},
                         {L"COLORTONEBLUE", L"COLORTONEBLUEACTIVE", 0xFFEDC9},
                         {L"COLORTONEYELLOW", L"COLORTONEYELLOWACTIVE", 0xCAF3FF},
                         {L"COLORTONEREDTEXT", L"COLORTONEREDTEXTACTIVE", 0x0000B4},
                         {L"COLORTONEGREENTEXT", L"COLORTONEGREENTEXTACTIVE", 0x28851A},
                         {L"COLORTONEBLUETEXT", L"COLORTONEBLUETEXTActive", 0xAE7400},
                         {L"COLORTONEYELLOWTEXT", L"COLORTONEYELLOWTEXTActive", 0x0079B5}};
  for (int i = 0; i < 8; ++i) {
    p[39 + 2 * i] = key(tones[i].name, tones[i].def);
    p[40 + 2 * i] = key(tones[i].active, p[39 + 2 * i]);
  }
  p[56] = key(L"GRIDLINE", 0xFFFFFFFF);
  if (p[56] == 0xFFFFFFFF) p[56] = MixColors(p[4], p[5], 30);
  p[57] = hint ? hint->Props[0].Color : SysColor(COLOR_INFOBK);
  p[58] = hint ? hint->Props[0].FontColor : SysColor(COLOR_INFOTEXT);
}
