#include "support/TempDrive.h"

#include "platform/files/Drive.h"

#include <fstream>
#include <sstream>

TempDrive::TempDrive() {
  std::filesystem::create_directories(Root() / "c");
  SetRootFolderForTesting(Root());
}

TempDrive::~TempDrive() { SetRootFolderForTesting({}); }

std::filesystem::path TempDrive::Root() const { return dir_.path().toStdString(); }

std::filesystem::path TempDrive::Host(const AnsiString &windowsPath) const { return HostPath(windowsPath); }

void TempDrive::WriteFile(const AnsiString &windowsPath, const std::string &bytes) const {
  const auto host = Host(windowsPath);
  std::filesystem::create_directories(host.parent_path());
  std::ofstream(host, std::ios::binary) << bytes;
}

std::string TempDrive::ReadFile(const AnsiString &windowsPath) const {
  std::ifstream in(Host(windowsPath), std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}
