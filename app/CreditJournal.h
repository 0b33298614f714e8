#pragma once
// The credit log as the journal of payments. A payment's line is written
// before data.txt is saved, so a process killed in between leaves the log
// ahead of the saved counters; the next start counts what the log holds past
// them, or it would hand the same ids out again.
#include "framework/System.h"

#include <optional>
#include <vector>

struct TUnsavedPayments {
  int32_t Count = 0;   // lines past the saved id; 0 when none or the tail is not clean
  int32_t LastId = 0;  // the id of the last of them
  int32_t Sum = 0;     // their pulse values, added with 32-bit wrap as the credits are
};

// The payments at the end of the log past savedId: the last lines must carry
// the ids savedId + 1 ... last, one each, in order (ids wrap at 32 bits).
// Anything else (a gap, a line that is no payment, a log that ends below the
// saved id) gives none: a log another program rewrote must not make credits.
// logNotOlder: the log was written no earlier than data.txt. After "Clear ID"
// data.txt is the newer file, and its id 0 must not take the whole log again.
TUnsavedPayments UnsavedPayments(const std::vector<String>& lastLines, int32_t savedId, bool logNotOlder);

// How many ids the line claims past savedId (0 for a line that is no payment).
uint32_t IdsPast(const String& lastLine, int32_t savedId);

// The last lines of a text file, read from its end (ANSI, as the log is
// written); at least the last `wanted` lines, or all of them when it has
// fewer. Raises the framework's file errors.
std::vector<String> LastLinesOf(const String& fileName, size_t wanted);

// The payments the log file holds past the saved id; dataSavedAt is the time
// data.txt was last written by the program (nothing when it did not exist).
// Reads nothing when data.txt is the newer file, as after every clean save.
TUnsavedPayments ReadUnsavedPayments(const String& logFile, int32_t savedId,
                                     const std::optional<FILETIME>& dataSavedAt);

std::optional<FILETIME> LastWriteTime(const String& fileName);

// Equal times count as "not older": file times move in steps of ~16 ms, and
// the log and data.txt are written within one such step.
bool NotOlder(const std::optional<FILETIME>& log, const std::optional<FILETIME>& data);
