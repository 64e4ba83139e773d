// Writes the terminal's local configuration file (WindowsDir\orvalix.cfg) for a member number.
// Usage: write_local_config MEMBER_NUMBER [KEY_DIGIT]

#include "core/LocalConfig.h"
#include "core/TextRoutines.h"
#include "platform/files/FileSystem.h"
#include "platform/files/TextFile.h"
#include "platform/sys/Exceptions.h"

#include <cstdio>
#include <cstring>

int main(int argc, char **argv) {
  if (argc < 2 || argc > 3 || (argc == 3 && (std::strlen(argv[2]) != 1 || argv[2][0] < '0' || argv[2][0] > '9'))) {
    std::fprintf(stderr, "usage: %s MEMBER_NUMBER [KEY_DIGIT]\n", argv[0]);
    return 2;
  }
  const int key = argc == 3 ? argv[2][0] - '0' : 7;
  try {
    CreateDir("C:\\");
    CreateDir(WindowsDir());
    TextFile file;
    AssignFile(file, WindowsDir() + "\\orvalix.cfg");
    Rewrite(file);
    Writeln(file, "Orvalix Express");
    Writeln(file, ScrambleText(FromUtf8(argv[1]), key));
    CloseFile(file);
  } catch (const Exception &e) {
    std::fprintf(stderr, "%s\n", ToUtf8(e.Message).c_str());
    return 1;
  }
  return 0;
}
