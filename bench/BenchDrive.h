#pragma once
// A drive C: of the benchmark's own with the ODBC driver and a local configuration, on the database
// of the build (scripts/db start, with the demo data for realistic answers).

#include "core/LocalConfig.h"
#include "platform/files/Drive.h"
#include "platform/files/FileSystem.h"

#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/resource.h>
#include <filesystem>
#include <fstream>

class BenchDrive {
 public:
  BenchDrive() {
    SetRootFolderForTesting(dir_.path().toStdString());
    const std::filesystem::path system32 = HostPath("C:\\WINDOWS\\system32");
    std::filesystem::create_directories(system32);
    const char *driver = std::getenv("ORVALIX_ODBC_DRIVER");
    std::filesystem::create_symlink(driver && *driver ? driver : ORVALIX_ODBC_DRIVER, system32 / "myodbc3.dll");
    std::ofstream(HostPath("C:\\WINDOWS\\orvalix.cfg"), std::ios::binary)
        << "Orvalix\r\n" << ScrambleText("000001", 4) << "\r\n";
    std::filesystem::create_directories(HostPath("C:\\Orvalix\\Remessa"));
    std::filesystem::create_directories(HostPath("C:\\Orvalix\\Retorno"));
  }
  ~BenchDrive() { SetRootFolderForTesting({}); }

  // A command file as its writer leaves it: complete and closed, so that a program that watches the
  // folder takes it at once (and one that starts after it, once it stood still a second).
  static void Write(const AnsiString &windowsPath, const std::string &bytes) {
    std::ofstream(HostPath(windowsPath), std::ios::binary) << bytes;
  }

 private:
  QTemporaryDir dir_;
};

inline double CpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The kernel's share of the process's CPU time so far.
inline double SystemMilliseconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3;
}

// The command of the benchmarks: a consultation of a demo customer by the demo member.
inline const char *kConsultation = "CONSULTA_DADOS(000001,'39053344705')\r\n";
