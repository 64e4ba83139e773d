#include "platform/vcl/Anchors.h"

#include <QEvent>

namespace {

// Lives as a child of the control and watches the control's parent.
class AnchorKeeper : public QObject {
 public:
  AnchorKeeper(QWidget *control, TAnchors anchors)
      : QObject(control), control_(control), anchors_(anchors), bounds_(control->geometry()),
        parentSize_(control->parentWidget()->size()) {
    setObjectName(QStringLiteral("anchors"));
    control->parentWidget()->installEventFilter(this);
  }
  TAnchors Kinds() const { return anchors_; }

  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == QEvent::Resize && watched == control_->parentWidget()) Apply();
    return false;
  }

 private:
  // One axis: the start and size of the control for the parent's new size.
  static std::pair<int, int> Place(bool nearSide, bool farSide, int start, int size, int oldParent, int newParent) {
    const int change = newParent - oldParent;
    if (nearSide && farSide) return {start, size + change};
    if (farSide) return {start + change, size};
    if (!nearSide) return {start + change / 2, size};
    return {start, size};
  }

  void Apply() {
    const QSize parent = control_->parentWidget()->size();
    const auto [x, w] = Place(anchors_.Contains(akLeft), anchors_.Contains(akRight), bounds_.x(), bounds_.width(),
                              parentSize_.width(), parent.width());
    const auto [y, h] = Place(anchors_.Contains(akTop), anchors_.Contains(akBottom), bounds_.y(), bounds_.height(),
                              parentSize_.height(), parent.height());
    control_->setGeometry(x, y, std::max(w, 0), std::max(h, 0));
  }

  QWidget *control_;
  TAnchors anchors_;
  QRect bounds_;
  QSize parentSize_;
};

AnchorKeeper *KeeperOf(const QWidget *control) {
  return dynamic_cast<AnchorKeeper *>(control->findChild<QObject *>(QStringLiteral("anchors"), Qt::FindDirectChildrenOnly));
}

}  // namespace

void SetAnchors(QWidget *control, TAnchors anchors) {
  delete KeeperOf(control);
  if (!control->parentWidget() || anchors == TAnchors{akLeft, akTop}) return;
  new AnchorKeeper(control, anchors);
}

TAnchors Anchors(const QWidget *control) {
  const AnchorKeeper *keeper = KeeperOf(control);
  return keeper ? keeper->Kinds() : TAnchors{akLeft, akTop};
}
