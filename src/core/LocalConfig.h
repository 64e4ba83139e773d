#pragma once
// The terminal's local configuration file, WindowsDir\orvalix.cfg: line 2 holds the member number.

#include "platform/ansi/AnsiString.h"

// The member number padded to six digits; the empty text when the file does not exist.
AnsiString LoadLocalConfig();
// A stored line: a key digit, then each character raised by three times the key, modulo 256.
AnsiString UnscrambleText(const AnsiString &stored);
// The writing side of the same form, for the installation tool.
AnsiString ScrambleText(const AnsiString &value, int key);
