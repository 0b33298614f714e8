#pragma once
// A fresh folder under the temp path for one test, removed with everything in it.

#include "framework/System.h"

#include <string>

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder, with a trailing backslash.
  const String& Path() const { return FPath; }
  String File(const String& name) const { return FPath + name; }

  static void WriteBytes(const String& path, const std::string& bytes);
  static std::string ReadBytes(const String& path);

 private:
  String FPath;
};
