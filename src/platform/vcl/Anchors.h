#pragma once
// Anchors of a control: the edges of its parent it keeps its distance to when the parent is resized.
// A control anchored to both left and right (top and bottom) grows with its parent; to neither, it
// keeps its place relative to the parent's centre.

#include <QWidget>
#include <initializer_list>

enum TAnchorKind { akLeft, akTop, akRight, akBottom };

class TAnchors {
 public:
  TAnchors() = default;
  TAnchors(std::initializer_list<TAnchorKind> kinds) {
    for (TAnchorKind kind : kinds) bits_ |= 1u << kind;
  }
  bool Contains(TAnchorKind kind) const { return (bits_ >> kind) & 1u; }
  bool operator==(const TAnchors &) const = default;

 private:
  unsigned bits_ = 0;
};

// Takes the control's present distances to its parent's edges as those to keep. Set the control's
// bounds and the parent's size first.
void SetAnchors(QWidget *control, TAnchors anchors);
// [akLeft, akTop] for a control whose anchors were never set.
TAnchors Anchors(const QWidget *control);
