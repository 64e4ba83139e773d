#pragma once
// A list of images, of which one can be put into a TIcon.

#include "platform/vcl/Classes.h"
#include "platform/vcl/Graphics.h"

#include <QIcon>
#include <vector>

class TCustomImageList : public TComponent {
 public:
  using TComponent::TComponent;

  int Count() const { return static_cast<int>(images_.size()); }
  int Add(const QIcon &image);
  void Clear() { images_.clear(); }
  // Puts the image at the index into the icon; an index outside the list empties the icon.
  void GetIcon(int index, TIcon *icon) const;

 private:
  std::vector<QIcon> images_;
};

class TImageList : public TCustomImageList {
 public:
  using TCustomImageList::TCustomImageList;
};
