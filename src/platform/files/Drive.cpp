#include "platform/files/Drive.h"

#include <QString>
#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path rootOverride;

constexpr char kRawByte = '\x81';

// The length of the well-formed UTF-8 sequence at text[at], or 0.
std::size_t SequenceLength(std::string_view text, std::size_t at, char32_t &code) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, code = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = at + 1; i < at + length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

std::vector<AnsiString> SplitComponents(const AnsiString &path) {
  std::vector<AnsiString> parts;
  AnsiString current;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

bool SameName(const AnsiString &a, const AnsiString &b) {
  return ToQString(a).compare(ToQString(b), Qt::CaseInsensitive) == 0;
}

// The entry of folder whose name equals component without case; the component itself when none does.
fs::path Resolve(const fs::path &folder, const AnsiString &component) {
  const fs::path exact = folder / ToHostName(component);
  std::error_code error;
  if (component == "." || component == ".." || fs::exists(fs::symlink_status(exact, error))) return exact;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (SameName(FromHostName(it->path().filename().string()), component)) return it->path();
  }
  return exact;
}

// "*" and "?" against a name, compared after folding case. Works on QString (any character) and on
// bytes (names and masks of ASCII only, the usual case, without conversion).
template <typename Text, typename Fold>
bool MaskMatch(const Text &name, std::size_t n, const Text &mask, std::size_t m, Fold fold) {
  while (m < std::size_t(mask.size())) {
    const auto wanted = mask[m];
    if (wanted == u'*') {
      for (std::size_t k = n; k <= std::size_t(name.size()); ++k)
        if (MaskMatch(name, k, mask, m + 1, fold)) return true;
      return false;
    }
    if (n >= std::size_t(name.size())) return false;
    if (wanted != u'?' && fold(wanted) != fold(name[n])) return false;
    ++n;
    ++m;
  }
  return n == std::size_t(name.size());
}

}  // namespace

fs::path RootFolder() {
  if (!rootOverride.empty()) return rootOverride;
  if (const char *root = std::getenv("ORVALIX_ROOT"); root && *root) return root;
  const char *home = std::getenv("HOME");
  return fs::path(home && *home ? home : "/tmp") / ".local/share/orvalix";
}

void SetRootFolderForTesting(const fs::path &root) { rootOverride = root; }

fs::path HostPath(const AnsiString &windowsPath) {
  AnsiString rest = windowsPath;
  fs::path base;
  if (rest.size() >= 2 && rest[1] == ':') {
    char drive = static_cast<char>(rest[0] | 0x20);
    base = RootFolder() / std::string(1, drive);
    rest = rest.substr(2);
  } else if (!rest.empty() && (rest[0] == '\\' || rest[0] == '/')) {
    base = RootFolder() / "c";
  } else {
    base = fs::current_path();
  }
  fs::path host = base;
  for (const AnsiString &component : SplitComponents(rest)) host = Resolve(host, component);
  return host;
}

AnsiString FromHostName(std::string_view host) {
  if (IsAscii(host)) return AnsiString(host);
  AnsiString name;
  for (std::size_t at = 0; at < host.size();) {
    if (static_cast<unsigned char>(host[at]) < 0x80) {
      name += host[at++];
      continue;
    }
    char32_t code = 0;
    const std::size_t length = SequenceLength(host, at, code);
    const AnsiString one = length ? FromQString(QString::fromUcs4(&code, 1)) : AnsiString();
    if (one.size() == 1 && one[0] != '?' && one[0] != kRawByte) {
      name += one;
      at += length;
      continue;
    }
    // Not a character of the code page: its bytes as they stand.
    for (const std::size_t end = at + std::max<std::size_t>(length, 1); at < end; ++at) name += {kRawByte, host[at]};
  }
  return name;
}

std::string ToHostName(std::string_view name) {
  if (IsAscii(name)) return std::string(name);
  std::string host;
  for (std::size_t at = 0; at < name.size(); ++at) {
    if (name[at] == kRawByte && at + 1 < name.size()) {
      host += name[++at];
    } else {
      host += ToUtf8(name.substr(at, 1));
    }
  }
  return host;
}

bool MatchesMask(const AnsiString &name, const AnsiString &mask) {
  if (mask == "*.*") return true;
  // Consecutive stars behave as one; collapsing them keeps the search linear in practice.
  AnsiString compact;
  for (char c : mask)
    if (!(c == '*' && !compact.empty() && compact.back() == '*')) compact += c;
  if (IsAscii(name) && IsAscii(compact)) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    return MaskMatch(std::string_view(name), 0, std::string_view(compact), 0, lower);
  }
  return MaskMatch(ToQString(name), 0, ToQString(compact), 0, [](QChar c) { return c.toCaseFolded(); });
}
