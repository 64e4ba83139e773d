#pragma once
// Live objects by a 32-bit id of their own. The id fits where a message carries it (a timer's id, an icon's
// uID) and a message still queued for an object that is gone finds nothing.

#include "platform/win/Windows.h"

#include <unordered_map>

template <class T>
class TLiveObjects {
 public:
  // A new id, never 0 and never one of a live object.
  UINT Add(T *object) {
    do {
      ++lastId_;
    } while (lastId_ == 0 || objects_.count(lastId_));
    objects_[lastId_] = object;
    return lastId_;
  }
  void Remove(UINT id) { objects_.erase(id); }
  T *Find(UINT id) const {
    auto it = objects_.find(id);
    return it == objects_.end() ? nullptr : it->second;
  }

 private:
  std::unordered_map<UINT, T *> objects_;
  UINT lastId_ = 0;
};
