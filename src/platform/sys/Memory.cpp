#include "platform/sys/Memory.h"

#include <malloc.h>

void ReleaseFreeMemory() { ::malloc_trim(0); }
