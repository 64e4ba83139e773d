#pragma once
// The class library's component model: owners free what they own and tell the others of a removal.

#include "platform/ansi/AnsiString.h"

#include <functional>
#include <vector>

class TObject {
 public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject *Sender)>;

enum TOperation { opInsert, opRemove };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent *AOwner);
  ~TComponent() override;
  TComponent(const TComponent &) = delete;
  TComponent &operator=(const TComponent &) = delete;

  TComponent *Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent *Components(int index) const { return components_.at(static_cast<std::size_t>(index)); }
  TComponent *FindComponent(const AnsiString &name) const;

  AnsiString Name;
  long Tag = 0;

  // Design mode and loading, as the class library marks them.
  bool Designing() const { return designing_; }
  void SetDesigningForTesting(bool designing) { designing_ = designing; }
  bool Loading() const { return loading_; }
  // The window description's values are applied between these two; Loaded runs at the end.
  void BeginLoading() { loading_ = true; }
  void EndLoading();

  // Asks to be told when the other component goes, even when neither owns the other.
  void FreeNotification(TComponent *other);
  void RemoveFreeNotification(TComponent *other);

 protected:
  virtual void Notification(TComponent *AComponent, TOperation Operation);
  virtual void Loaded() {}
  // Frees the owned components now (a form does so after destroying its window).
  void DestroyComponents();

 private:
  void Insert(TComponent *child);
  void Remove(TComponent *child);

  TComponent *owner_ = nullptr;
  std::vector<TComponent *> components_;
  std::vector<TComponent *> freeNotifies_;
  bool designing_ = false;
  bool loading_ = false;
};
