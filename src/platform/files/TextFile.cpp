#include "platform/files/TextFile.h"

#include "platform/files/Drive.h"
#include "platform/sys/Exceptions.h"

#include <cerrno>

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
  int c;
  while ((c = std::getc(file_)) != EOF) {
    if (c == '\n') return line;
    if (c == '\r') {
      int next = std::getc(file_);
      if (next != '\n' && next != EOF) std::ungetc(next, file_);
      return line;
    }
    line.push_back(static_cast<char>(c));
  }
  if (std::ferror(file_)) Fail(100);
  return line;
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
