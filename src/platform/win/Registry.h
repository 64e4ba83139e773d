#pragma once
// The class library's registry object on a text hive file under the root folder: keys and string values.
// Key names and value names compare without regard to case, as in the Windows registry.

#include "platform/ansi/AnsiString.h"

#include <filesystem>

enum HKEY { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE };
constexpr unsigned KEY_ALL_ACCESS = 0xF003F;
constexpr unsigned KEY_READ = 0x20019;

class TRegistry {
 public:
  explicit TRegistry(unsigned access = KEY_ALL_ACCESS) : access_(access) {}
  HKEY RootKey = HKEY_CURRENT_USER;

  // A path beginning with "\" starts at the root, any other continues from the open key.
  // Gives false when the key is missing (and not to be created) or cannot be created.
  bool OpenKey(const AnsiString &key, bool canCreate);
  bool OpenKeyReadOnly(const AnsiString &key);
  void CloseKey();
  bool KeyExists(const AnsiString &key) const;

  // Writes or overwrites a string value of the open key; raises ERegistryException when it fails.
  void WriteString(const AnsiString &name, const AnsiString &value);
  // The value's text; the empty text when absent. Raises ERegistryException when no key is open.
  AnsiString ReadString(const AnsiString &name) const;
  bool ValueExists(const AnsiString &name) const;

  // The hive file of a root key.
  static std::filesystem::path HiveFile(HKEY root);

 private:
  AnsiString Resolve(const AnsiString &key) const;
  unsigned access_;
  bool open_ = false;
  AnsiString current_;
};
