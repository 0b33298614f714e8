#pragma once
// The hint bubbles the program's windows carry: our own pictures, cut into
// nine pieces at the sizes drawn for them.
class TsAlphaHints;

// Adds the program's templates to hints (the first is "White Baloon Border",
// the one the main window selects).
void AddHintTemplates(TsAlphaHints& hints);
