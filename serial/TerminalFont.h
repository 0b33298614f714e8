#pragma once
// The serial unit's shared terminal font, made at start-up and freed at the
// end; the program's unit table calls these two.
class TFont;

TFont* ComTerminalFont();
void InitComPortUnit();
void DoneComPortUnit();
