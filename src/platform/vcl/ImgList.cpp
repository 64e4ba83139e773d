#include "platform/vcl/ImgList.h"

int TCustomImageList::Add(const QIcon &image) {
  images_.push_back(image);
  return Count() - 1;
}

void TCustomImageList::GetIcon(int index, TIcon *icon) const {
  if (!icon) return;
  if (index < 0 || index >= Count()) {
    icon->SetImage(QIcon());
    return;
  }
  icon->SetImage(images_[static_cast<std::size_t>(index)]);
}
