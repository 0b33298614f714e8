#pragma once
// Caption text as the engine draws it: the plain text of an HTML-like
// caption, and the way between alignments and DrawText flags.
#include <windows.h>

#include "framework/Label.h"
#include "framework/System.h"

// Tags ("<b>", "</font>" ...) and line breaks dropped; with KeepBreaks a
// "<br>" tag (any case) becomes CR LF. An unclosed tag drops the rest.
String StripTags(const String& Text, bool KeepBreaks);
// The alignment's DT_ flag with DT_EXPANDTABS and DT_VCENTER. The framework
// reads only left to right, so there is nothing to mirror.
UINT AlignToDrawTextFlags(TAlignment Alignment);
// 1 for DT_RIGHT, else 2 for DT_CENTER, else 0.
int DTFlagsToHorzAlign(UINT Flags);
// 1 for DT_BOTTOM, else 2 for DT_VCENTER, else 0.
int DTFlagsToVertAlign(UINT Flags);
