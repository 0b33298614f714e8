#pragma once
// The system's own text files: 8-bit ANSI code page, lines ended by CR LF.

#include "framework/System.h"

#include <cstddef>
#include <functional>
#include <vector>

// Splits text into lines at CR LF, LF or a lone CR. A final line break gives
// no extra empty line; two final breaks give one trailing empty line.
std::vector<String> SplitTextLines(const String& text);

// Raises EFOpenError (with the file name) when the file cannot be opened and
// EReadError when it cannot be read.
std::vector<String> LoadAnsiLines(const String& path);
AnsiString LoadFileBytes(const String& path);

// Every line followed by CR LF; written through SaveFileBytesSafely.
void SaveAnsiLines(const String& path, const std::vector<String>& lines);

// Writes the bytes to a temporary file beside the target, flushes it and puts
// it in the target's place in one step, so a crash or a full disk never leaves
// a half-written file. When the replace is refused because another program
// holds the target open, the target is overwritten in place instead, as other
// programs sharing the file expect. Raises EFCreateError or EWriteError with
// the file name; the temporary file never outlives a failure.
void SaveFileBytesSafely(const String& path, const std::string& bytes);

// Test seam: when set, called before each block is written to the temporary
// file with the block's offset; returning false fails that write as a full
// disk would. Empty in the program.
extern std::function<bool(size_t offset)> SafeSaveWriteHook;
