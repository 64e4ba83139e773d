#pragma once
// The class library's text file: lines read with CR LF, LF or CR ends, written with CR LF.
// Every failure raises EInOutError with the system's error code.

#include "platform/ansi/AnsiString.h"

#include <cstdint>
#include <cstdio>
#include <functional>

// Which file an open text file is, whatever name it has now: its device and inode, and its birth (ns
// since the epoch; 0 where the file system keeps none), which tells a file from a later one that was
// given the number of a deleted one.
struct TFileIdentity {
  unsigned long long Device = 0, Inode = 0;
  long long Born = 0;
  bool operator==(const TFileIdentity &) const = default;
};
struct statx;
TFileIdentity IdentityOf(const struct statx &info);

// What a change of a file shows in: its size and its modification time (ns since the epoch).
struct TFileState {
  std::uint64_t Size = 0;
  long long Modified = 0;
  bool operator==(const TFileState &) const = default;
};
// Whether a file in the state given stood still a full second, as its observer saw it.
using TStillness = std::function<bool(const TFileState &)>;

// Codes of the failures of ResetSettled and ReadLine, as Windows numbers the nearest of its own.
constexpr int kFileInUse = 32;     // being written: open for writing elsewhere, or not yet seen standing still
constexpr int kReadDenied = 1314;  // this program may not open it for reading
constexpr int kNotAFile = 1920;    // a folder, pipe, device, socket or dangling link
constexpr int kLineTooLong = 223;  // a line longer than kMaxLineLength
constexpr std::size_t kMaxLineLength = 16 * 1024 * 1024;

class TextFile {
 public:
  TextFile() = default;
  ~TextFile();
  TextFile(const TextFile &) = delete;
  TextFile &operator=(const TextFile &) = delete;

  void Assign(const AnsiString &path);
  void Reset();    // open for reading
  // Open for reading a file that another program delivers, as Windows opens it: refused (kFileInUse)
  // while a process holds it open for writing, and until its observer saw it stand still a full second
  // (its time is no guide: a clock may be set wrong), unless its writer is known to have closed it
  // (closedByWriter) and its last line is complete; only a regular file opens (kNotAFile otherwise),
  // one this program may not read fails with kReadDenied, and the open never blocks.
  void ResetSettled(bool closedByWriter, const TStillness &stoodStill);
  // The same test on the file open for reading, now.
  bool Settled(bool closedByWriter, const TStillness &stoodStill) const;
  void Rewrite();  // create or empty, open for writing
  void Append();   // open for writing at the end
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

  AnsiString ReadLine();  // at the end of the file, the empty text; kLineTooLong past the bound
  bool Eof();
  // Of a file open for reading: the bytes read so far, the bytes of a stretch of it (read where they
  // stand, the next line unmoved; fewer at the end of the file), and the file itself.
  std::uint64_t Position() const;
  std::string ReadAt(std::uint64_t offset, std::size_t count) const;
  TFileIdentity Identity() const;
  void Seek(std::uint64_t offset);  // of a file open for reading; what was appended since is read
  void Write(const AnsiString &text);
  void WriteLine(const AnsiString &text);

 private:
  void Open(const char *mode, bool reading);
  void RequireOpen(bool reading) const;
  [[noreturn]] void Fail(int code) const;

  AnsiString path_;
  std::FILE *file_ = nullptr;
  bool reading_ = false;
};

// The class library's names for the same operations.
inline void AssignFile(TextFile &f, const AnsiString &path) { f.Assign(path); }
inline void Reset(TextFile &f) { f.Reset(); }
inline void ResetSettled(TextFile &f, bool closedByWriter, const TStillness &stoodStill) {
  f.ResetSettled(closedByWriter, stoodStill);
}
inline void Rewrite(TextFile &f) { f.Rewrite(); }
inline void CloseFile(TextFile &f) { f.Close(); }
inline void Readln(TextFile &f, AnsiString &line) { line = f.ReadLine(); }
inline void Writeln(TextFile &f, const AnsiString &line) { f.WriteLine(line); }
inline bool Eof(TextFile &f) { return f.Eof(); }
