#include "framework/FileDialogs.h"

#include <windows.h>

#include <commdlg.h>

#include <vector>

const wchar_t* const kPictureFilter =
    L"All pictures (*.bmp;*.jpg;*.jpeg;*.png;*.ico)|*.bmp;*.jpg;*.jpeg;*.png;*.ico|Bitmaps (*.bmp)|*.bmp|"
    L"JPEG pictures (*.jpg;*.jpeg)|*.jpg;*.jpeg|PNG pictures (*.png)|*.png|Icons (*.ico)|*.ico";

namespace {

DWORD OfnFlags(TOpenOptions options) {
  static const DWORD flags[] = {OFN_READONLY,
                                OFN_OVERWRITEPROMPT,
                                OFN_HIDEREADONLY,
                                OFN_NOCHANGEDIR,
                                OFN_SHOWHELP,
                                OFN_NOVALIDATE,
                                OFN_ALLOWMULTISELECT,
                                OFN_EXTENSIONDIFFERENT,
                                OFN_PATHMUSTEXIST,
                                OFN_FILEMUSTEXIST,
                                OFN_CREATEPROMPT,
                                OFN_SHAREAWARE,
                                OFN_NOREADONLYRETURN,
                                OFN_NOTESTFILECREATE,
                                OFN_NONETWORKBUTTON,
                                OFN_NOLONGNAMES,
                                0,
                                OFN_NODEREFERENCELINKS,
                                OFN_ENABLEINCLUDENOTIFY,
                                OFN_ENABLESIZING,
                                OFN_DONTADDTORECENT,
                                OFN_FORCESHOWHIDDEN};
  DWORD result = 0;
  for (size_t i = 0; i < std::size(flags); ++i)
    if (options & (1u << i)) result |= flags[i];
  // The explorer look unless the old one is asked for.
  if (!(options & ofOldStyleDialog)) result |= OFN_EXPLORER;
  return result;
}

}  // namespace

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

void TOpenDialog::AssignSettings(const TOpenDialog& other) {
  FDefaultExt = other.FDefaultExt;
  FFileEditStyle = other.FFileEditStyle;
  FFileName = other.FFileName;
  FFilter = other.FFilter;
  FFilterIndex = other.FFilterIndex;
  FInitialDir = other.FInitialDir;
  FHistoryList.Assign(other.FHistoryList);
  FOptions = other.FOptions;
  FFiles.Assign(other.FFiles);
}

bool TOpenDialog::RunDialog(void* ofn) { return GetOpenFileNameW(static_cast<OPENFILENAMEW*>(ofn)) != FALSE; }

bool TSaveDialog::RunDialog(void* ofn) { return GetSaveFileNameW(static_cast<OPENFILENAMEW*>(ofn)) != FALSE; }

bool TOpenDialog::Execute() {
  // The filter separates its parts with '|'; the dialog wants zero characters.
  String filter = FFilter + L"||";
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  // Room for many names when several may be chosen.
  std::vector<wchar_t> buffer((FOptions & ofAllowMultiSelect) ? 65536 : MAX_PATH * 4, L'\0');
  lstrcpynW(buffer.data(), FFileName.c_str(), static_cast<int>(buffer.size()));
  String defaultExt = FDefaultExt;
  if (!defaultExt.empty() && defaultExt[0] == L'.') defaultExt.erase(0, 1);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = GetActiveWindow();
  ofn.lpstrFilter = FFilter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FFilterIndex);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = FInitialDir.empty() ? nullptr : FInitialDir.c_str();
  ofn.lpstrTitle = FTitle.empty() ? nullptr : FTitle.c_str();
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  ofn.Flags = OfnFlags(FOptions);
  if (!RunDialog(&ofn)) return false;

  FFilterIndex = static_cast<int>(ofn.nFilterIndex);
  if (ofn.Flags & OFN_READONLY)
    FOptions |= ofReadOnly;
  else
    FOptions &= ~ofReadOnly;
  FFiles.Clear();
  // Several names come as the folder, then each name, each ended by a zero.
  const wchar_t* first = buffer.data();
  const wchar_t* next = first + lstrlenW(first) + 1;
  if ((FOptions & ofAllowMultiSelect) && *next) {
    String folder = first;
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    for (; *next; next += lstrlenW(next) + 1) FFiles.Add(folder + next);
  } else {
    FFiles.Add(first);
  }
  FFileName = FFiles.Get(0);
  return true;
}

TOpenPictureDialog::TOpenPictureDialog(TComponent* owner) : TOpenDialog(owner) { SetFilter(kPictureFilter); }

TSavePictureDialog::TSavePictureDialog(TComponent* owner) : TSaveDialog(owner) { SetFilter(kPictureFilter); }
