#pragma once
// A drive C: of its own for one test, removed afterwards.

#include "platform/ansi/AnsiString.h"

#include <QTemporaryDir>
#include <filesystem>

class TempDrive {
 public:
  TempDrive();
  ~TempDrive();
  std::filesystem::path Root() const;
  // The host path of a Windows path on this drive.
  std::filesystem::path Host(const AnsiString &windowsPath) const;
  // Writes bytes as they stand into a Windows path, creating its folders.
  void WriteFile(const AnsiString &windowsPath, const std::string &bytes) const;
  std::string ReadFile(const AnsiString &windowsPath) const;

 private:
  QTemporaryDir dir_;
};
