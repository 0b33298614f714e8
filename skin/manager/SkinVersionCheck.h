#pragma once
// The skin engine's version against a skin's and the command line's
// questions about it.
#include "framework/System.h"

#include <vector>

// Skins older than this were made for an engine whose pictures differ.
constexpr double kOldestCurrentSkinVersion = 10.26;
// Skins newer than this use what the engine does not know yet.
constexpr double kNewestKnownSkinVersion = 16.99;

String OldSkinVersionMessage(const String& skinName, double version);
String NewSkinVersionMessage(double version);
// "VuzurErirored v16.16": what "/acver" shows.
String EngineVersionText();

// The skin engine's start-up: sets PreviewMode from the first argument and,
// for the first argument that reads "/acver" in small letters, shows the
// engine's version once. Args are the arguments without the program's path.
void CheckSkinCommandLine(const std::vector<String>& args, void (*show)(const String& text));
// The same on this process's command line, with a plain message box.
void InitSkinCommandLine();
