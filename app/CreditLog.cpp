#include "app/CreditLog.h"

#include "app/Waits.h"
#include "framework/AnsiText.h"

String CreditLogLine(int32_t cashId, const String& date, const String& time, const String& pulseText) {
  return IntToStr(cashId) + L"," + date + L"," + time + L",0," + pulseText;
}

String NextTenthsTotal(const String& previousFirstLine, const String& pulseText) {
  const size_t dot = previousFirstLine.find(L'.');
  int64_t hundredths;
  if (dot == String::npos) {
    hundredths = int64_t{StrToIntDef(previousFirstLine, 0)} * 100 + StrToIntDef(pulseText, 0);
  } else {
    const int64_t units = StrToIntDef(previousFirstLine.substr(0, dot), 0);
    const int64_t tenths = StrToIntDef(previousFirstLine.substr(dot + 1, 1), 0);
    hundredths = units * 100 + tenths * 10 + StrToIntDef(pulseText, 0);
  }
  // Both divisions truncate toward zero, as C++ does.
  return IntToStr(hundredths / 100) + L"." + IntToStr((hundredths % 100) / 10);
}

String FirstLineOf(const String& fileName) {
  if (!FileExists(fileName)) return String();
  const std::vector<String> lines = LoadAnsiLines(fileName);
  return lines.empty() ? String() : lines.front();
}

TCreditLog::TStamp TCreditLog::StampOf(const String& fileName) {
  TStamp s;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(fileName.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return s;
  s.Exists = true;
  s.Size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  s.Written = data.ftLastWriteTime;
  return s;
}

void TCreditLog::Remember(const String& fileName) {
  FFile = fileName;
  FStamp = StampOf(fileName);
  FKnown = true;
}

void TCreditLog::Adopt(const String& fileName) { Remember(fileName); }

bool TCreditLog::EndsWithLineBreak(const String& fileName) const {
  const TOwnedHandle file(CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  char last = 0;
  DWORD got = 0;
  LARGE_INTEGER back{};
  back.QuadPart = -1;
  // A lone CR or LF ends a line for the view as well.
  return SetFilePointerEx(file.get(), back, nullptr, FILE_END) && ReadFile(file.get(), &last, 1, &got, nullptr) &&
         got == 1 && (last == '\r' || last == '\n');
}

void TCreditLog::Follow(const String& fileName) {
  if (fileName == FFile) return;
  // Another log file: what we knew of the old one says nothing of this one.
  FFile = fileName;
  FKnown = false;
  DropPending();
}

void TCreditLog::DropPending() {
  FPending.clear();
  FShown = 0;
}

void TCreditLog::ShowPending() {
  if (FShown == FPending.size()) return;
  // In one change of the window: with a long log each change costs the same
  // however many lines it adds.
  static_cast<TMemoLines&>(FView.Lines()).AddLines({FPending.begin() + std::ptrdiff_t(FShown), FPending.end()});
  FShown = FPending.size();
}

void TCreditLog::HoldLine(const String& fileName, const String& line) {
  Follow(fileName);
  FPending.push_back(line);
}

void TCreditLog::AppendLine(const String& fileName, const String& line) {
  Follow(fileName);
  // Pending first: whatever fails below, the line is written with the next one.
  FPending.push_back(line);
  const TStamp now = StampOf(fileName);
  const bool mirrored = FKnown && now == FStamp;
  if (!mirrored) {
    // Changed behind our back, or a file we have not seen yet: take it as it
    // is now, then the lines that could not be written before.
    TStrings& view = FView.Lines();
    TUpdateScope update(view);
    if (now.Exists) {
      WaitWhileFileLocked(fileName);
      view.LoadFromFile(fileName);
    } else {
      view.Clear();
    }
    for (const String& p : FPending) view.Add(p);
    FShown = FPending.size();
  }
  const bool empty = !now.Exists || now.Size == 0;
  WaitWhileFileLocked(fileName);
  // Only our lines go to the file: the view may also hold the program's own
  // notes. A last line without its line break gets the break first, so what
  // the file held stays as it was, byte for byte.
  std::vector<String> lines;
  if (!empty && !EndsWithLineBreak(fileName)) lines.emplace_back();
  lines.insert(lines.end(), FPending.begin(), FPending.end());
  // The file before the view: with a long log the window takes longer to
  // extend than the file, and the file is what counts.
  try {
    AppendAnsiLines(fileName, lines);
  } catch (...) {
    ShowPending();
    throw;
  }
  ShowPending();
  DropPending();
  Remember(fileName);
}

void TCreditLog::Replace(const String& fileName, const std::vector<String>& lines) {
  TStrings& view = FView.Lines();
  {
    TUpdateScope update(view);
    view.Clear();
    for (const String& l : lines) view.Add(l);
  }
  WaitWhileFileLocked(fileName);
  view.SaveToFile(fileName);
  DropPending();
  Remember(fileName);
}
