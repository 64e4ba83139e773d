#pragma once
// The class library's text file: lines read with CR LF, LF or CR ends, written with CR LF.
// Every failure raises EInOutError with the system's error code.

#include "platform/ansi/AnsiString.h"

#include <cstdio>

class TextFile {
 public:
  TextFile() = default;
  ~TextFile();
  TextFile(const TextFile &) = delete;
  TextFile &operator=(const TextFile &) = delete;

  void Assign(const AnsiString &path);
  void Reset();    // open for reading
  void Rewrite();  // create or empty, open for writing
  void Append();   // open for writing at the end
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

  AnsiString ReadLine();  // at the end of the file, the empty text
  bool Eof();
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
inline void Rewrite(TextFile &f) { f.Rewrite(); }
inline void CloseFile(TextFile &f) { f.Close(); }
inline void Readln(TextFile &f, AnsiString &line) { line = f.ReadLine(); }
inline void Writeln(TextFile &f, const AnsiString &line) { f.WriteLine(line); }
inline bool Eof(TextFile &f) { return f.Eof(); }
