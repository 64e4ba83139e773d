#include "core/LocalConfig.h"

#include "core/TextRoutines.h"
#include "platform/files/FileSystem.h"
#include "platform/files/TextFile.h"
#include "platform/sys/Exceptions.h"

AnsiString LoadLocalConfig() {
  const AnsiString path = WindowsDir() + "\\orvalix.cfg";
  if (!FileExists(path)) return {};
  TextFile file;
  AssignFile(file, path);
  Reset(file);
  AnsiString lines[3];
  for (AnsiString &line : lines) Readln(file, line);
  CloseFile(file);
  return ZeroPad(UnscrambleText(lines[1]), 6);
}

AnsiString UnscrambleText(const AnsiString &stored) {
  if (stored.empty()) return {};
  int key = 0;
  try {
    key = StrToInt(stored.substr(0, 1));
  } catch (const EConvertError &) {
    key = 0;
  }
  const int shift = 3 * key;
  AnsiString value;
  for (std::size_t i = 1; i < stored.size(); ++i)
    value += static_cast<char>((static_cast<unsigned char>(stored[i]) - shift + 256) % 256);
  return value;
}

AnsiString ScrambleText(const AnsiString &value, int key) {
  AnsiString stored = IntToStr(key % 10);
  for (char c : value) stored += static_cast<char>((static_cast<unsigned char>(c) + 3 * (key % 10)) % 256);
  return stored;
}
