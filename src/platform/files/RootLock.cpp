#include "platform/files/RootLock.h"

#include "platform/files/Drive.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

TRootLock LockRootFolder(std::string &error) {
  const std::filesystem::path root = RootFolder();
  std::error_code made;
  std::filesystem::create_directories(root, made);
  const std::string path = (root / "orvalix.lock").string();
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);  // another user's
  if (fd < 0) {
    error = path + ": " + std::strerror(errno);
    return TRootLock::Unavailable;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return TRootLock::Taken;  // kept open for the process's life
  const int code = errno;
  ::close(fd);
  if (code == EWOULDBLOCK) return TRootLock::HeldElsewhere;
  error = path + ": " + std::strerror(code);
  return TRootLock::Unavailable;
}
