#include "platform/win/Registry.h"

#include "platform/files/Drive.h"
#include "platform/sys/Exceptions.h"

#include <fstream>
#include <map>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Keys by their path without the leading backslash; a key's values by name. Both keep the case they
// were created with and are found without regard to case.
struct Caseless {
  bool operator()(const AnsiString &a, const AnsiString &b) const { return UpperCase(a) < UpperCase(b); }
};
using Values = std::map<AnsiString, AnsiString, Caseless>;
using Hive = std::map<AnsiString, Values, Caseless>;

// The file format: "[key path]" opens a key, "name=value" lines follow; in both the characters
// backslash-escaped are \\, \n, \r, \= and \] so that any text survives a line.
AnsiString Escape(const AnsiString &text, bool inName) {
  AnsiString out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '=': out += inName ? "\\=" : "="; break;
      case ']': out += "\\]"; break;
      default: out += c;
    }
  }
  return out;
}

// Unescapes up to (not including) the first unescaped stop character; pos is left on it.
AnsiString Unescape(const AnsiString &line, std::size_t &pos, char stop) {
  AnsiString out;
  for (; pos < line.size() && line[pos] != stop; ++pos) {
    if (line[pos] == '\\' && pos + 1 < line.size()) {
      const char next = line[++pos];
      out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    } else {
      out += line[pos];
    }
  }
  return out;
}

Hive Load(const fs::path &file) {
  Hive hive;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  Values *key = nullptr;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::size_t pos = 0;
    if (line[0] == '[') {
      pos = 1;
      key = &hive[Unescape(line, pos, ']')];
    } else if (key) {
      AnsiString name = Unescape(line, pos, '=');
      ++pos;
      (*key)[name] = Unescape(line, pos, '\0');
    }
  }
  return hive;
}

bool Save(const fs::path &file, const Hive &hive) {
  std::error_code error;
  fs::create_directories(file.parent_path(), error);
  const fs::path temporary = file.string() + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const auto &[path, values] : hive) {
      out << '[' << Escape(path, true) << "]\n";
      for (const auto &[name, value] : values) out << Escape(name, true) << '=' << Escape(value, false) << '\n';
    }
    out.flush();
    if (!out) return false;
  }
  fs::rename(temporary, file, error);
  if (error) fs::remove(temporary, error);
  return !error;
}

AnsiString Normalize(const AnsiString &path) {
  AnsiString out;
  for (char c : path) {
    if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
    out += c;
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

}  // namespace

fs::path TRegistry::HiveFile(HKEY root) {
  return RootFolder() / "registry" / (root == HKEY_CURRENT_USER ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE");
}

AnsiString TRegistry::Resolve(const AnsiString &key) const {
  if (!key.empty() && key[0] == '\\') return Normalize(key);
  if (!open_ || current_.empty()) return Normalize(key);
  return Normalize(current_ + "\\" + key);
}

bool TRegistry::KeyExists(const AnsiString &key) const {
  const AnsiString path = Resolve(key);
  return path.empty() || Load(HiveFile(RootKey)).count(path) > 0;
}

bool TRegistry::OpenKey(const AnsiString &key, bool canCreate) {
  const AnsiString path = Resolve(key);
  if (!path.empty()) {
    Hive hive = Load(HiveFile(RootKey));
    if (!hive.count(path)) {
      if (!canCreate || (access_ & KEY_ALL_ACCESS) != KEY_ALL_ACCESS) return false;
      // Creating a key creates the keys above it, as the registry does.
      for (std::size_t cut = path.find('\\'); cut != AnsiString::npos; cut = path.find('\\', cut + 1))
        hive[path.substr(0, cut)];
      hive[path];
      if (!Save(HiveFile(RootKey), hive)) return false;
    }
  }
  CloseKey();
  current_ = path;
  open_ = true;
  return true;
}

bool TRegistry::OpenKeyReadOnly(const AnsiString &key) {
  const AnsiString path = Resolve(key);
  if (!path.empty() && !Load(HiveFile(RootKey)).count(path)) return false;
  CloseKey();
  current_ = path;
  open_ = true;
  return true;
}

void TRegistry::CloseKey() {
  open_ = false;
  current_.clear();
}

void TRegistry::WriteString(const AnsiString &name, const AnsiString &value) {
  const AnsiString failure = "Failed to set data for '" + name + "'";
  if (!open_ || (access_ & KEY_ALL_ACCESS) != KEY_ALL_ACCESS) throw ERegistryException(failure);
  Hive hive = Load(HiveFile(RootKey));
  hive[current_][name] = value;
  if (!Save(HiveFile(RootKey), hive)) throw ERegistryException(failure);
}

AnsiString TRegistry::ReadString(const AnsiString &name) const {
  if (!open_) throw ERegistryException("Failed to get data for '" + name + "'");
  const Hive hive = Load(HiveFile(RootKey));
  auto key = hive.find(current_);
  if (key == hive.end()) return {};
  auto value = key->second.find(name);
  return value == key->second.end() ? AnsiString() : value->second;
}

bool TRegistry::ValueExists(const AnsiString &name) const {
  if (!open_) return false;
  const Hive hive = Load(HiveFile(RootKey));
  auto key = hive.find(current_);
  return key != hive.end() && key->second.count(name) > 0;
}
