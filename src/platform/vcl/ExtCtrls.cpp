#include "platform/vcl/ExtCtrls.h"

#include "platform/files/Drive.h"
#include "platform/vcl/Events.h"
#include "platform/vcl/Forms.h"

#include <QFile>
#include <QPixmap>

TTimer::TTimer(TComponent *AOwner) : TComponent(AOwner) {
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    if (OnTimer) Guarded([this] { CallEvent(OnTimer, this); });
  });
  Restart();
}

void TTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Restart();
}

void TTimer::SetInterval(unsigned interval) {
  interval_ = interval;
  Restart();
}

void TTimer::Restart() {
  timer_.stop();
  if (enabled_ && interval_ > 0) timer_.start(static_cast<int>(interval_));
}

TPanel::TPanel(QWidget *parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
}

TImage::TImage(QWidget *parent) : QLabel(parent) {
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setScaledContents(false);
}

void TImage::LoadFromFile(const AnsiString &path) {
  const QString host = QString::fromStdString(HostPath(path).string());
  QFile file(host);
  if (!file.open(QIODevice::ReadOnly)) throw EFOpenError("Cannot open file \"" + path + "\"");
  QPixmap picture;
  if (!picture.loadFromData(file.readAll())) throw EInvalidGraphic("Bitmap image is not valid");
  setPixmap(picture);
}

bool TImage::Empty() const { return pixmap().isNull(); }
