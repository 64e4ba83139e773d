#pragma once
// Calling an event handler. The handler is called through a copy, so a handler that frees the object
// holding it (and with it the handler) still returns safely.

#include <utility>

template <typename Event, typename... Args>
void CallEvent(const Event &event, Args &&...args) {
  if (!event) return;
  const Event handler = event;
  handler(std::forward<Args>(args)...);
}
