#include "platform/files/TextFile.h"

#include "platform/files/Drive.h"
#include "platform/sys/Exceptions.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// The system's messages for the codes a text file can meet.
AnsiString MessageOf(int code) {
  switch (code) {
    case 2: return "File not found";
    case 3: return "Path not found";
    case 5: return "File access denied";
    case 100: return "Disk read error";
    case 101: return "Disk write error";
    case 103: return "File not open";
    case 104: return "File not open for input";
    case 105: return "File not open for output";
    case kReadDenied: return "File access denied";
    default: return "I/O error " + IntToStr(code);
  }
}

int CodeOf(int error) {
  switch (error) {
    case ENOENT: return 2;
    case ENOTDIR: return 3;
    case EACCES:
    case EPERM:
    case EISDIR: return 5;
    default: return error;
  }
}

enum class TWriters { None, Some, Unknown };

// Whether another process holds the open file for writing. A read lease is refused exactly then; it is
// let go at once. Where leases are not to be had (a file system without them, a file of another owner
// without the right to lease it), nothing is known.
TWriters WritersOf(int fd) {
  // A writer that opens the file in the instant the lease is held makes the kernel send SIGIO, which
  // would end the program: it is ignored, unless someone handles it already.
  static std::once_flag quietSigio;
  std::call_once(quietSigio, [] {
    struct sigaction current {};
    if (::sigaction(SIGIO, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) std::signal(SIGIO, SIG_IGN);
  });
  if (::fcntl(fd, F_SETLEASE, F_RDLCK) == 0) {
    ::fcntl(fd, F_SETLEASE, F_UNLCK);
    return TWriters::None;
  }
  return errno == EAGAIN ? TWriters::Some : TWriters::Unknown;
}

// Whether the file's last line is complete: it ends in a line end.
bool EndsInLineEnd(int fd, off_t size) {
  char last = 0;
  return size > 0 && ::pread(fd, &last, 1, size - 1) == 1 && (last == '\n' || last == '\r');
}

TFileState StateOf(const struct stat &info) {
  return {static_cast<std::uint64_t>(info.st_size),
          static_cast<long long>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

// Whether the open file may be read to its end now. A writer on a network share holds no local handle:
// there only the file's standing still, as its observer saw it, tells.
bool SettledFile(int fd, const struct stat &info, bool closedByWriter, const TStillness &stoodStill) {
  const TWriters writers = WritersOf(fd);
  if (writers == TWriters::Some) return false;
  if (closedByWriter && writers == TWriters::None && EndsInLineEnd(fd, info.st_size)) return true;
  return stoodStill && stoodStill(StateOf(info));
}

}  // namespace

TextFile::~TextFile() {
  if (file_) std::fclose(file_);
}

void TextFile::Assign(const AnsiString &path) { path_ = path; }

void TextFile::Fail(int code) const { throw EInOutError(MessageOf(code), code); }

void TextFile::Open(const char *mode, bool reading) {
  if (file_) Close();
  const auto host = HostPath(path_);
  std::error_code error;
  if (std::filesystem::is_directory(host, error)) Fail(5);
  file_ = std::fopen(host.c_str(), mode);
  if (!file_) Fail(CodeOf(errno));
  reading_ = reading;
}

void TextFile::Reset() { Open("rb", true); }

void TextFile::ResetSettled(bool closedByWriter, const TStillness &stoodStill) {
  if (file_) Close();
  const auto host = HostPath(path_);
  // Without blocking: a named pipe would hold the open until a writer comes.
  const int fd = ::open(host.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    const int error = errno;
    struct stat link {};
    // A link whose target is missing, or that leads in a circle, is no file that will come.
    if ((error == ENOENT && ::lstat(host.c_str(), &link) == 0) || error == ELOOP) Fail(kNotAFile);
    Fail(error == EACCES || error == EPERM ? kReadDenied : CodeOf(error));
  }
  struct stat info {};
  int code = 0;
  if (::fstat(fd, &info) != 0) {
    code = CodeOf(errno);
  } else if (!S_ISREG(info.st_mode)) {
    code = kNotAFile;
  } else if (!SettledFile(fd, info, closedByWriter, stoodStill)) {
    code = kFileInUse;
  } else if (!(file_ = ::fdopen(fd, "rb"))) {
    code = CodeOf(errno);
  }
  if (code != 0) {
    ::close(fd);
    Fail(code);
  }
  reading_ = true;
}

void TextFile::Rewrite() { Open("wb", false); }
void TextFile::Append() { Open("ab", false); }

void TextFile::Close() {
  if (!file_) Fail(103);
  const bool failed = std::fclose(file_) != 0;
  file_ = nullptr;
  if (failed) Fail(101);
}

void TextFile::RequireOpen(bool reading) const {
  if (!file_) Fail(103);
  if (reading != reading_) Fail(reading ? 104 : 105);
}

AnsiString TextFile::ReadLine() {
  RequireOpen(true);
  AnsiString line;
  // Characters gather in a small buffer first: a line of megabytes is read at the speed of the disk.
  char chunk[4096];
  std::size_t used = 0;
  int c;
  // A text file is one thread's: no lock for each character.
  while ((c = getc_unlocked(file_)) != EOF) {
    if (c == '\n' || c == '\r') {
      if (c == '\r') {
        const int next = getc_unlocked(file_);
        if (next != '\n' && next != EOF) std::ungetc(next, file_);
      }
      return line.append(chunk, used);
    }
    if (line.size() + used == kMaxLineLength) Fail(kLineTooLong);
    chunk[used++] = static_cast<char>(c);
    if (used == sizeof chunk) {
      line.append(chunk, used);
      used = 0;
    }
  }
  if (std::ferror(file_)) Fail(100);
  return line.append(chunk, used);
}

std::uint64_t TextFile::Position() const {
  RequireOpen(true);
  const long position = std::ftell(file_);
  if (position < 0) Fail(100);
  return static_cast<std::uint64_t>(position);
}

std::string TextFile::ReadAt(std::uint64_t offset, std::size_t count) const {
  RequireOpen(true);
  std::string bytes(count, '\0');
  std::size_t got = 0;
  while (got < count) {
    const ssize_t n = ::pread(::fileno(file_), bytes.data() + got, count - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail(100);
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

bool TextFile::Settled(bool closedByWriter, const TStillness &stoodStill) const {
  RequireOpen(true);
  struct stat info {};
  return ::fstat(::fileno(file_), &info) == 0 && SettledFile(::fileno(file_), info, closedByWriter, stoodStill);
}

void TextFile::Seek(std::uint64_t offset) {
  RequireOpen(true);
  if (::fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) Fail(100);
}

TFileIdentity IdentityOf(const struct statx &info) {
  const long long born = (info.stx_mask & STATX_BTIME)
                             ? static_cast<long long>(info.stx_btime.tv_sec) * 1000000000 + info.stx_btime.tv_nsec
                             : 0;
  return {makedev(info.stx_dev_major, info.stx_dev_minor), info.stx_ino, born};
}

TFileIdentity TextFile::Identity() const {
  if (!file_) Fail(103);
  struct statx info {};
  if (::statx(::fileno(file_), "", AT_EMPTY_PATH, STATX_INO | STATX_BTIME, &info) != 0) Fail(100);
  return IdentityOf(info);
}

bool TextFile::Eof() {
  RequireOpen(true);
  int c = std::getc(file_);
  if (c == EOF) {
    if (std::ferror(file_)) Fail(100);
    return true;
  }
  std::ungetc(c, file_);
  return false;
}

void TextFile::Write(const AnsiString &text) {
  RequireOpen(false);
  if (!text.empty() && std::fwrite(text.data(), 1, text.size(), file_) != text.size()) Fail(101);
}

void TextFile::WriteLine(const AnsiString &text) {
  Write(text);
  Write("\r\n");
}
