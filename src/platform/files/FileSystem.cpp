#include "platform/files/FileSystem.h"

#include "platform/files/Drive.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

bool FileExists(const AnsiString &path) {
  std::error_code error;
  return fs::is_regular_file(HostPath(path), error);
}

bool DirectoryExists(const AnsiString &path) {
  std::error_code error;
  return fs::is_directory(HostPath(path), error);
}

bool CreateDir(const AnsiString &path) {
  std::error_code error;
  return fs::create_directory(HostPath(path), error) && !error;
}

bool DeleteFile(const AnsiString &path) {
  const fs::path host = HostPath(path);
  std::error_code error;
  if (!fs::is_regular_file(fs::symlink_status(host, error)) && !fs::is_symlink(host)) return false;
  return fs::remove(host, error) && !error;
}

bool RenameFile(const AnsiString &oldPath, const AnsiString &newPath) {
  const fs::path from = HostPath(oldPath);
  const fs::path to = HostPath(newPath);
  std::error_code error;
  if (!fs::exists(fs::symlink_status(from, error))) return false;
  // A target of another case but the same name is the same entry on Windows: a rename of case only.
  if (fs::exists(fs::symlink_status(to, error)) && !fs::equivalent(from, to, error)) return false;
  fs::rename(from, to, error);
  return !error;
}

std::uintmax_t FileSize(const AnsiString &path) {
  std::error_code error;
  auto size = fs::file_size(HostPath(path), error);
  return error ? 0 : size;
}

long long FileAge(const AnsiString &path) {
  struct stat info {};
  if (::stat(HostPath(path).c_str(), &info) != 0) return -1;
  return static_cast<long long>(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
}

std::vector<TSearchRec> FindEntries(const AnsiString &mask, int attr) {
  std::vector<TSearchRec> found;
  const std::size_t cut = mask.find_last_of("\\/");
  const AnsiString folder = cut == AnsiString::npos ? AnsiString() : mask.substr(0, cut + 1);
  const AnsiString pattern = cut == AnsiString::npos ? mask : mask.substr(cut + 1);
  const fs::path host = folder.empty() ? fs::current_path() : HostPath(folder);
  std::error_code error;
  if (!fs::is_directory(host, error)) return found;
  const bool withFolders = (attr & faDirectory) != 0;
  if (withFolders) {
    for (const char *dots : {".", ".."})
      if (MatchesMask(dots, pattern)) found.push_back({dots, faDirectory, 0});
  }
  for (fs::directory_iterator it(host, error), end; !error && it != end; it.increment(error)) {
    const AnsiString name = FromUtf8(it->path().filename().string());
    if (!MatchesMask(name, pattern)) continue;
    std::error_code statusError;
    const bool isFolder = it->is_directory(statusError);
    if (isFolder && !withFolders) continue;
    TSearchRec entry;
    entry.Name = name;
    entry.Attr = isFolder ? faDirectory : faArchive;
    if (!name.empty() && name[0] == '.') {
      if (!(attr & faHidden)) continue;
      entry.Attr |= faHidden;
    }
    if (!isFolder) entry.Size = it->file_size(statusError);
    found.push_back(entry);
  }
  return found;
}

unsigned GetWindowsDirectoryA(char *buffer, unsigned size) {
  static const char kWindows[] = "C:\\WINDOWS";
  const unsigned length = sizeof kWindows - 1;
  if (buffer == nullptr || size < length + 1) return length + 1;
  std::memcpy(buffer, kWindows, length + 1);
  return length;
}
