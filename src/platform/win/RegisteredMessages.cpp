// Registered window messages: one number per name for the process, names compared without case.

#include "platform/win/Windows.h"

#include <QString>
#include <map>

UINT RegisterWindowMessageA(const char *name) {
  static auto *numbers = new std::map<QString, UINT>;  // never destroyed
  if (!name || !*name) return 0;
  const QString key = QString::fromLatin1(name).toCaseFolded();
  auto it = numbers->find(key);
  if (it != numbers->end()) return it->second;
  const UINT number = 0xC000 + static_cast<UINT>(numbers->size());
  if (number > 0xFFFF) return 0;
  numbers->emplace(key, number);
  return number;
}
