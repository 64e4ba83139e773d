#pragma once
// The class library's icon: empty, a stored image read when its handle is first needed, or an image.

#include "platform/vcl/Classes.h"
#include "platform/win/Windows.h"

#include <QByteArray>
#include <QIcon>

class TIcon : public TObject {
 public:
  TIcon() = default;
  ~TIcon() override;
  TIcon(const TIcon &) = delete;
  TIcon &operator=(const TIcon &) = delete;

  bool Empty() const;
  // The icon handle, 0 for an empty icon. Raises EReadError when the stored image cannot be read.
  HICON Handle();
  // Takes over the handle: the icon destroys it when it changes or goes.
  void SetHandle(HICON handle);
  // Copies the other icon's image (an empty one, or none, empties this icon).
  void Assign(TIcon *source);
  // The image in a file format Qt reads (ICO, PNG, BMP, ...); it is read when the handle is needed.
  void LoadFromData(const QByteArray &data);
  void SetImage(const QIcon &image);
  // The image, or a null icon when empty or unreadable.
  QIcon Image() const;

  TNotifyEvent OnChange;  // after every change of the image

 private:
  void ReleaseHandle();
  void Changed();

  QByteArray data_;  // stored and not read yet
  QIcon image_;
  HICON handle_ = nullptr;
};
