#include "platform/files/FileSystem.h"

#include "platform/files/Drive.h"
#include "platform/files/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
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
  const fs::file_status status = fs::symlink_status(host, error);
  if (!fs::is_regular_file(status) && !fs::is_symlink(status)) return false;
  return fs::remove(host, error) && !error;
}

namespace {

bool RenameHost(const fs::path &from, const fs::path &to) {
  std::error_code error;
  if (!fs::exists(fs::symlink_status(from, error))) return false;
  // A target of another case but the same name is the same entry on Windows: a rename of case only.
  if (fs::exists(fs::symlink_status(to, error)) && !fs::equivalent(from, to, error)) return false;
  fs::rename(from, to, error);
  return !error;
}

}  // namespace

bool RenameFile(const AnsiString &oldPath, const AnsiString &newPath) {
  return RenameHost(HostPath(oldPath), HostPath(newPath));
}

bool RenameFileIn(const AnsiString &folder, const AnsiString &oldName, const AnsiString &newName) {
  const fs::path host = HostPath(folder);
  return RenameHost(host / ToHostName(oldName), host / ToHostName(newName));
}

bool EntryExistsIn(const AnsiString &folder, const AnsiString &name) {
  std::error_code error;
  return fs::exists(fs::symlink_status(HostPath(folder) / ToHostName(name), error));
}

namespace {

bool refuseNoReplace = false;  // as NFS and FUSE shares do

// The hidden name of a file being deleted, in the same folder: no mask of the queue finds it meanwhile.
const char kHiddenPrefix[] = ".";
const char kHiddenSuffix[] = ".apagando";

// Renames without replacing what stands at the target. Where the file system refuses the flag, a link
// and an unlink do the same; to a name of the program's own (ownTarget), a rename where none stands.
bool MoveNoReplace(const fs::path &from, const fs::path &to, bool ownTarget) {
  if (!refuseNoReplace) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL) return false;
  }
  if (ownTarget) {
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0) {
      errno = EEXIST;
      return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
  }
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  ::unlink(from.c_str());
  return true;
}

}  // namespace

void RefuseNoReplaceForTesting(bool refuse) { refuseNoReplace = refuse; }

TDeleteOutcome DeleteFileIfSame(const AnsiString &path, const TFileIdentity &identity, std::uintmax_t size) {
  const fs::path host = HostPath(path);
  // A file of the same name may be hidden there already, waiting for the name to be free.
  fs::path aside;
  for (int copy = 1;; ++copy) {
    aside = host.parent_path() / (kHiddenPrefix + host.filename().string() + kHiddenSuffix +
                                  (copy > 1 ? std::to_string(copy) : std::string()));
    if (MoveNoReplace(host, aside, true)) break;
    if (errno == ENOENT) return TDeleteOutcome::Deleted;
    if (errno != EEXIST || copy == 1000) return TDeleteOutcome::Failed;
  }
  struct stat info {};
  const bool same = ::stat(aside.c_str(), &info) == 0 && info.st_dev == identity.Device &&
                    info.st_ino == identity.Inode;
  if (same && static_cast<std::uintmax_t>(info.st_size) == size) {
    ::unlink(aside.c_str());
    return TDeleteOutcome::Deleted;
  }
  // Not ours to delete. Should yet another file have come under the name meanwhile, this one keeps the
  // hidden name rather than replace it.
  if (!MoveNoReplace(aside, host, false)) return TDeleteOutcome::Hidden;
  return same ? TDeleteOutcome::Grown : TDeleteOutcome::Replaced;
}

namespace {

// The name of the file a hidden name of DeleteFileIfSame's stands for; empty for any other name.
AnsiString HiddenOwner(const std::string &hostName) {
  const std::size_t prefix = sizeof kHiddenPrefix - 1;
  const std::size_t suffix = hostName.rfind(kHiddenSuffix);
  if (!hostName.starts_with(kHiddenPrefix) || suffix == std::string::npos || suffix <= prefix) return {};
  const std::string copy = hostName.substr(suffix + sizeof kHiddenSuffix - 1);
  if (!std::all_of(copy.begin(), copy.end(), [](char c) { return c >= '0' && c <= '9'; })) return {};
  return FromHostName(hostName.substr(prefix, suffix - prefix));
}

}  // namespace

AnsiString BringBackHidden(const AnsiString &folder, const std::string &hostName) {
  const AnsiString name = HiddenOwner(hostName);
  if (name.empty()) return {};
  const fs::path host = HostPath(folder);
  return MoveNoReplace(host / hostName, host / ToHostName(name), false) ? name : AnsiString();
}

bool FlushFileBuffers(const AnsiString &path) {
  const int fd = ::open(HostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool flushed = ::fsync(fd) == 0;
  ::close(fd);
  return flushed;
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

TFileIdentity FileIdentity(const AnsiString &path) {
  struct statx info {};
  if (::statx(AT_FDCWD, HostPath(path).c_str(), 0, STATX_INO | STATX_BTIME, &info) != 0) return {};
  return IdentityOf(info);
}

std::vector<TSearchRec> FindEntries(const AnsiString &mask, int attr) {
  std::vector<TSearchRec> found;
  const std::size_t cut = mask.find_last_of("\\/");
  const AnsiString folder = cut == AnsiString::npos ? AnsiString() : mask.substr(0, cut + 1);
  const AnsiString pattern = cut == AnsiString::npos ? mask : mask.substr(cut + 1);
  const fs::path host = folder.empty() ? fs::current_path() : HostPath(folder);
  const bool withFolders = (attr & faDirectory) != 0;
  // The directory is read as it stands, without a status call per entry: a folder queue of thousands of
  // files is listed at every tick of the batch.
  DIR *dir = ::opendir(host.c_str());
  if (!dir) return found;
  if (withFolders) {
    for (const char *dots : {".", ".."})
      if (MatchesMask(dots, pattern)) found.push_back({dots, faDirectory});
  }
  while (const dirent *raw = ::readdir(dir)) {
    const std::string_view hostName = raw->d_name;
    if (hostName == "." || hostName == "..") continue;
    const AnsiString name = FromHostName(hostName);
    if (!MatchesMask(name, pattern)) continue;
    bool isFolder = raw->d_type == DT_DIR;
    if (raw->d_type == DT_UNKNOWN || raw->d_type == DT_LNK) {
      struct stat info {};
      isFolder = ::stat((host / std::string(hostName)).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    if (isFolder && !withFolders) continue;
    TSearchRec entry;
    entry.Name = name;
    entry.Attr = isFolder ? faDirectory : faArchive;
    if (!name.empty() && name[0] == '.') {
      if (!(attr & faHidden)) continue;
      entry.Attr |= faHidden;
    }
    found.push_back(entry);
  }
  ::closedir(dir);
  return found;
}

unsigned GetWindowsDirectoryA(char *buffer, unsigned size) {
  static const char kWindows[] = "C:\\WINDOWS";
  const unsigned length = sizeof kWindows - 1;
  if (buffer == nullptr || size < length + 1) return length + 1;
  std::memcpy(buffer, kWindows, length + 1);
  return length;
}
