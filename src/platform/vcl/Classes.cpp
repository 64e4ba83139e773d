#include "platform/vcl/Classes.h"

#include <algorithm>

TComponent::TComponent(TComponent *AOwner) : owner_(AOwner) {
  if (owner_) {
    designing_ = owner_->designing_;
    owner_->Insert(this);
  }
}

TComponent::~TComponent() {
  // Everyone who asked is told first, while this object is still whole.
  const std::vector<TComponent *> watchers = freeNotifies_;
  for (TComponent *watcher : watchers) {
    watcher->RemoveFreeNotification(this);
    watcher->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->Remove(this);
}

void TComponent::Insert(TComponent *child) {
  components_.push_back(child);
  Notification(child, opInsert);
}

void TComponent::Remove(TComponent *child) {
  auto it = std::find(components_.begin(), components_.end(), child);
  if (it == components_.end()) return;
  components_.erase(it);
  child->owner_ = nullptr;
  // The owner and every sibling hear of the removal.
  Notification(child, opRemove);
  for (TComponent *sibling : components_) sibling->Notification(child, opRemove);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent *child = components_.back();
    delete child;  // its destructor removes it from this list
  }
}

TComponent *TComponent::FindComponent(const AnsiString &name) const {
  for (TComponent *child : components_)
    if (SameText(child->Name, name)) return child;
  return nullptr;
}

void TComponent::EndLoading() {
  loading_ = false;
  Loaded();
}

void TComponent::FreeNotification(TComponent *other) {
  if (!other || other == this) return;
  if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) == other->freeNotifies_.end())
    other->freeNotifies_.push_back(this);
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
    freeNotifies_.push_back(other);
}

void TComponent::RemoveFreeNotification(TComponent *other) {
  if (!other) return;
  auto drop = [](std::vector<TComponent *> &list, TComponent *c) {
    list.erase(std::remove(list.begin(), list.end(), c), list.end());
  };
  drop(freeNotifies_, other);
  drop(other->freeNotifies_, this);
}

void TComponent::Notification(TComponent *, TOperation) {}
