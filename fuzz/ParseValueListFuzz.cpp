// ParseValueList and ParseValueListUnquoted on any command line: no crash, and both cut alike.

#include "core/TextRoutines.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const AnsiString text(reinterpret_cast<const char *>(data), size);
  TStringList quoted;
  TStringList unquoted;
  ParseValueList(text, quoted);
  ParseValueListUnquoted(text, unquoted);
  if (quoted.Count() != unquoted.Count()) std::abort();
  for (int i = 0; i < quoted.Count(); ++i) {
    const AnsiString &item = quoted[i];
    const AnsiString &bare = unquoted[i];
    if (item.empty() || item[0] != '\'') {
      if (item != bare) std::abort();  // an unquoted item is the same in both lists
    } else if (item.size() >= 2 && item.compare(1, item.size() - 2, bare) != 0) {
      std::abort();  // a quoted item loses its first and last character only
    }
  }
  return 0;
}
