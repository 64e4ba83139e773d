#pragma once
// Memory that the program has freed goes back to the system: after a very long line, the heap would
// otherwise keep its peak until the program ends.

void ReleaseFreeMemory();
