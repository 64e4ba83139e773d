#pragma once
// The administration window's access code: six capitals and digits valid for one hour of local time,
// the HMAC-SHA256 of the date and hour under the association's key (set at build time), so that the
// date alone does not give the code away.

#include "platform/ansi/AnsiString.h"
#include "platform/sys/DateTime.h"

AnsiString AccessCode(TDateTime when);
// Whether the program was built without a key of the association's own, with the published demo key.
bool UsesDemoAccessKey();
