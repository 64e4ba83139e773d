#include "platform/files/Drive.h"

#include <QString>
#include <cstdlib>
#include <string_view>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path rootOverride;

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
  const fs::path exact = folder / ToUtf8(component);
  std::error_code error;
  if (component == "." || component == ".." || fs::exists(fs::symlink_status(exact, error))) return exact;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (SameName(FromUtf8(it->path().filename().string()), component)) return it->path();
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
