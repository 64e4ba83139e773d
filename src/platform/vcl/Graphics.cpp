#include "platform/vcl/Graphics.h"

#include "platform/sys/Exceptions.h"
#include "platform/vcl/Events.h"
#include "platform/win/Icons.h"

#include <QImage>
#include <QPixmap>

namespace {
// The stored image as an icon; a null icon when it cannot be read.
QIcon Decode(const QByteArray &data) {
  QImage image;
  return image.loadFromData(data) ? QIcon(QPixmap::fromImage(image)) : QIcon();
}
}  // namespace

TIcon::~TIcon() { ReleaseHandle(); }

bool TIcon::Empty() const { return data_.isEmpty() && image_.isNull() && !handle_; }

void TIcon::ReleaseHandle() {
  if (handle_) DestroyIcon(handle_);
  handle_ = nullptr;
}

void TIcon::Changed() { CallEvent(OnChange, this); }

HICON TIcon::Handle() {
  if (handle_) return handle_;
  if (!data_.isEmpty()) {
    image_ = Decode(data_);
    if (image_.isNull()) throw EReadError("Invalid icon image");
    data_.clear();
  }
  if (!image_.isNull()) handle_ = CreateIconFromImage(image_);
  return handle_;
}

void TIcon::SetHandle(HICON handle) {
  if (handle == handle_) return;
  ReleaseHandle();
  data_.clear();
  handle_ = handle;
  image_ = IconImage(handle);
  Changed();
}

void TIcon::Assign(TIcon *source) {
  if (source == this) return;
  ReleaseHandle();
  if (source) {
    data_ = source->data_;
    image_ = source->handle_ ? IconImage(source->handle_) : source->image_;
  } else {
    data_.clear();
    image_ = QIcon();
  }
  Changed();
}

void TIcon::LoadFromData(const QByteArray &data) {
  ReleaseHandle();
  image_ = QIcon();
  data_ = data;
  Changed();
}

void TIcon::SetImage(const QIcon &image) {
  ReleaseHandle();
  data_.clear();
  image_ = image;
  Changed();
}

QIcon TIcon::Image() const {
  if (handle_) return IconImage(handle_);
  return data_.isEmpty() ? image_ : Decode(data_);
}
