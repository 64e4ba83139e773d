#pragma once
// One program at a time on a root folder: an exclusive lock on the file "orvalix.lock" in it, held by
// the process until it ends, however it ends (the system drops the lock with the process; the file
// itself stays and means nothing).

#include <string>

enum class TRootLock {
  Taken,          // this process holds the root
  HeldElsewhere,  // another process holds it
  Unavailable,    // no lock can be taken there (error tells why)
};

TRootLock LockRootFolder(std::string &error);
