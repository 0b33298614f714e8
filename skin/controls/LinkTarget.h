#pragma once
// Which link targets a caption may hand to the shell: web pages and mail
// addresses. Anything else (programs, files, other schemes) could start
// whatever the text names, so it is left to the link-click handler.
#include "framework/System.h"

bool IsShellLinkTarget(const String& Target);
