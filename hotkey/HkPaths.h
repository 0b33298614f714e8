#pragma once
// Folders and the user name, as the hot key library's ini and log names use them.
#include "framework/System.h"

enum class THkPathPrefix { ppWindows, ppSystem, ppProgram, ppFixed };

String AppFolderPath();  // with its trailing "\"
String WindowsFolderPath();
String SystemFolderPath();
// The folder a prefix stands for ("" for ppFixed), with or without its final "\".
String PathPrefixFolder(THkPathPrefix prefix, bool withSlash);
// The logged-on user, or "(Unknown)" when the system will not say.
String WindowsUserName();
