// UnscrambleText on any stored line, the round trip through ScrambleText, and LoadLocalConfig on a
// configuration file of any bytes.

#include "core/LocalConfig.h"
#include "platform/files/Drive.h"
#include "platform/sys/Exceptions.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

std::filesystem::path driveRoot;

void RemoveDrive() {
  std::error_code ignored;
  std::filesystem::remove_all(driveRoot, ignored);
}

// A drive C: of this process's own, removed at exit.
std::filesystem::path Drive() {
  if (driveRoot.empty()) {
    driveRoot = std::filesystem::temp_directory_path() / ("orvalix-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(driveRoot / "c" / "WINDOWS");
    SetRootFolderForTesting(driveRoot);
    std::atexit(RemoveDrive);
  }
  return driveRoot;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const AnsiString bytes(reinterpret_cast<const char *>(data), size);

  const AnsiString value = UnscrambleText(bytes);
  if (!bytes.empty() && value.size() != bytes.size() - 1) std::abort();  // the key digit goes
  for (int key = 0; key <= 9; ++key)
    if (UnscrambleText(ScrambleText(bytes, key)) != bytes) std::abort();

  std::ofstream(Drive() / "c" / "WINDOWS" / "orvalix.cfg", std::ios::binary | std::ios::trunc) << bytes;
  try {
    const AnsiString member = LoadLocalConfig();
    if (member.size() < 6) std::abort();  // an existing file always gives six characters or more
  } catch (const EInOutError &) {
    // an unreadable file is the caller's failure
  }
  return 0;
}
