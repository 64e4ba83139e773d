#include "platform/vcl/QuickRpt.h"

#include "platform/vcl/Forms.h"
#include "platform/vcl/RichEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>

namespace {

TPreviewHook &PreviewHook() {
  static TPreviewHook hook;
  return hook;
}

constexpr double kMillimetresPerInch = 25.4;
// Rich text is laid out as on a screen of 96 dots per inch, where its pixel heights are meant, and
// scaled to the device it is painted on.
constexpr double kLayoutDpi = 96;

QPaintDevice &LayoutDevice() {
  static QImage device = [] {
    QImage image(1, 1, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(kLayoutDpi / kMillimetresPerInch * 1000));
    image.setDotsPerMeterY(qRound(kLayoutDpi / kMillimetresPerInch * 1000));
    return image;
  }();
  return device;
}

template <typename T>
void Drop(std::vector<T *> &list, T *item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

void SetPreviewHookForTesting(TPreviewHook hook) { PreviewHook() = std::move(hook); }

// ---------------------------------------------------------------- rich text

TQRRichText::TQRRichText(TComponent *AOwner, TQRBand *parent)
    : TComponent(AOwner), parent_(parent), edit_(std::make_unique<TRichEdit>()) {
  if (parent_) parent_->controls_.push_back(this);
}

TQRRichText::~TQRRichText() {
  if (parent_) Drop(parent_->controls_, this);
}

TRichEditStrings *TQRRichText::Lines() const { return edit_->Lines; }

const QTextDocument &TQRRichText::Document() const { return *edit_->document(); }

void TQRRichText::Paint(QPainter &painter, double originX, double originY, double dotsPerMillimetre) const {
  const double layoutPerMillimetre = kLayoutDpi / kMillimetresPerInch;
  std::unique_ptr<QTextDocument> page(edit_->document()->clone());
  page->documentLayout()->setPaintDevice(&LayoutDevice());
  page->setDefaultFont(Font);
  page->setDocumentMargin(0);
  page->setTextWidth(Width * layoutPerMillimetre);
  painter.save();
  painter.translate((originX + Left) * dotsPerMillimetre, (originY + Top) * dotsPerMillimetre);
  painter.scale(dotsPerMillimetre / layoutPerMillimetre, dotsPerMillimetre / layoutPerMillimetre);
  page->drawContents(&painter, QRectF(0, 0, Width * layoutPerMillimetre, Height * layoutPerMillimetre));
  painter.restore();
}

// ---------------------------------------------------------------- band

TQRBand::TQRBand(TComponent *AOwner, TQuickRep *parent) : TComponent(AOwner), parent_(parent) {
  if (parent_) parent_->bands_.push_back(this);
}

TQRBand::~TQRBand() {
  for (TQRRichText *control : controls_) control->parent_ = nullptr;
  if (parent_) Drop(parent_->bands_, this);
}

// ---------------------------------------------------------------- report

TQuickRep::TQuickRep(TComponent *AOwner) : TComponent(AOwner) {}

TQuickRep::~TQuickRep() {
  // The bands it owns go in DestroyComponents; the others only lose their report.
  DestroyComponents();
  for (TQRBand *band : bands_) band->parent_ = nullptr;
}

void TQuickRep::SetUpPrinter(QPrinter &printer) const {
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(Page.Orientation == poPortrait ? QPageLayout::Portrait : QPageLayout::Landscape);
  printer.setFullPage(false);
  printer.setPageMargins(QMarginsF(Page.LeftMargin, Page.TopMargin, Page.RightMargin, Page.BottomMargin),
                         QPageLayout::Millimeter);
}

void TQuickRep::PaintPage(QPainter &painter, double dotsPerMillimetre) const {
  double top = 0;
  for (const TQRBand *band : bands_) {
    painter.fillRect(QRectF(0, top * dotsPerMillimetre, band->Width * dotsPerMillimetre, band->Height * dotsPerMillimetre),
                     band->Color);
    for (const TQRRichText *control : band->Controls()) control->Paint(painter, 0, top, dotsPerMillimetre);
    top += band->Height;
  }
}

void TQuickRep::Print(QPrinter &printer) const {
  QPainter painter;
  if (!painter.begin(&printer)) return;  // the printer refused; Qt tells the user
  PaintPage(painter, printer.resolution() / kMillimetresPerInch);
  painter.end();
}

void TQuickRep::Preview() {
  QPrinter printer(QPrinter::HighResolution);
  SetUpPrinter(printer);
  if (const TPreviewHook hook = PreviewHook()) {
    hook(*this, printer);
    return;
  }
  QWidget *parent = nullptr;
  for (TComponent *owner = Owner(); owner && !parent; owner = owner->Owner())
    if (auto *form = dynamic_cast<TForm *>(owner)) parent = form->Widget();
  QPrintPreviewDialog dialog(&printer, parent);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                   [this](QPrinter *target) { Guarded([&] { Print(*target); }); });
  QTimer::singleShot(0, &dialog, [&dialog, this] {
    if (auto *view = dialog.findChild<QPrintPreviewWidget *>()) {
      view->setZoomMode(QPrintPreviewWidget::CustomZoom);
      view->setZoomFactor(Zoom / 100.0);
    }
  });
  dialog.exec();
}
