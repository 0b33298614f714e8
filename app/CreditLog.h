#pragma once
// The credit log file and its view. In the line-per-payment mode a pulse
// appends one line to both; the whole file is read again only when another
// program changed it since our last write, so a pulse costs the same however
// long the log has grown.
#include "framework/Edit.h"

// "<id>,<date>,<time>,0,<pulse text>"
String CreditLogLine(int32_t cashId, const String& date, const String& time, const String& pulseText);

// The units-and-tenths total after a pulse: the pulse counts hundredths,
// tenths are kept and smaller parts dropped ("2.0" + "15" gives "2.1").
String NextTenthsTotal(const String& previousFirstLine, const String& pulseText);

// The first line of a text file; empty when the file is missing or empty.
String FirstLineOf(const String& fileName);

class TCreditLog {
 public:
  explicit TCreditLog(TMemo& view) : FView(view) {}

  // Appends a line to the file and the view; a missing file reads as empty
  // and is created. Lines held before go with it, ahead of it.
  void AppendLine(const String& fileName, const String& line);
  // Keeps a line for the next AppendLine, which writes it to the file and
  // the view ahead of its own: payments that arrive together take one write
  // and one flush.
  void HoldLine(const String& fileName, const String& line);
  // Replaces the file and the view with the given lines (the total modes and
  // the clear command).
  void Replace(const String& fileName, const std::vector<String>& lines);
  // The view was loaded from this file at start: appends may follow it.
  void Adopt(const String& fileName);

 private:
  struct TStamp {
    bool Exists = false;
    uint64_t Size = 0;
    FILETIME Written{};
    bool operator==(const TStamp& o) const {
      return Exists == o.Exists && Size == o.Size && CompareFileTime(&Written, &o.Written) == 0;
    }
  };
  static TStamp StampOf(const String& fileName);
  void Follow(const String& fileName);
  void ShowPending();
  void DropPending();
  void Remember(const String& fileName);
  bool EndsWithLineBreak(const String& fileName) const;

  TMemo& FView;
  String FFile;         // the file the view mirrors
  bool FKnown = false;  // FStamp tells what it looked like after our last write or read
  TStamp FStamp;
  std::vector<String> FPending;  // lines not yet in the file
  size_t FShown = 0;             // how many of them the view has already
};
