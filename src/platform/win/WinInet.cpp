#include "platform/win/WinInet.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::optional<TConnectedState> testState;

std::string ReadFirstLine(const fs::path &file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

constexpr int kLoopbackType = 772;  // ARPHRD_LOOPBACK
constexpr unsigned long kUpAndRunning = 0x1 | 0x40;  // IFF_UP | IFF_RUNNING

bool InterfaceUp(const fs::path &device) {
  if (ReadFirstLine(device / "type") == std::to_string(kLoopbackType)) return false;
  const std::string state = ReadFirstLine(device / "operstate");
  if (state == "up") return true;
  // Virtual interfaces without a carrier notion report "unknown": their flags say whether they run.
  if (state != "unknown") return false;
  try {
    return (std::stoul(ReadFirstLine(device / "flags"), nullptr, 16) & kUpAndRunning) == kUpAndRunning;
  } catch (const std::exception &) {
    return false;
  }
}

}  // namespace

void SetConnectedStateForTesting(std::optional<TConnectedState> state) { testState = state; }

BOOL InternetGetConnectedState(DWORD *flags, DWORD) {
  DWORD found = 0;
  BOOL result = 0;
  if (testState) {
    result = testState->Result;
    found = testState->Flags;
  } else {
    std::error_code error;
    for (fs::directory_iterator it("/sys/class/net", error), end; !error && it != end; it.increment(error)) {
      if (InterfaceUp(it->path())) {
        found = INTERNET_CONNECTION_LAN;
        result = 1;
        break;
      }
    }
  }
  if (flags) *flags = found;
  return result;
}
