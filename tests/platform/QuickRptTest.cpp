// The report's page: bands from the top margin, a rich-text box cut at its bounds, the printer's
// page, and the preview dialog.

#include "platform/vcl/QuickRpt.h"
#include "platform/vcl/RichEdit.h"
#include "support/TempDrive.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr double kDotsPerMillimetre = 96 / 25.4;

// A report of one title band at 190 x 100 mm with a box at (20, 10), 100 x 50 mm.
struct Report {
  Report() {
    report.Page.LeftMargin = report.Page.RightMargin = report.Page.TopMargin = report.Page.BottomMargin = 10;
    band->Width = 190;
    band->Height = 100;
    box->Left = 20;
    box->Top = 10;
    box->Width = 100;
    box->Height = 50;
  }
  void Load(const std::string &rtf) {
    drive.WriteFile("c:\\r.rtf", rtf);
    box->Lines()->LoadFromFile("c:\\r.rtf");
  }
  // The page within its margins at 96 dpi, on a grey ground that shows what the bands leave.
  QImage Render() const {
    QImage page(qRound(190 * kDotsPerMillimetre), qRound(277 * kDotsPerMillimetre), QImage::Format_RGB32);
    page.fill(Qt::gray);
    QPainter painter(&page);
    report.PaintPage(painter, kDotsPerMillimetre);
    return page;
  }
  TempDrive drive;
  TQuickRep report{nullptr};
  TQRBand *band = new TQRBand(&report, &report);
  TQRRichText *box = new TQRRichText(&report, band);
};

// Dark pixels (text) within a rectangle given in millimetres.
int DarkPixels(const QImage &page, double left, double top, double right, double bottom) {
  int count = 0;
  for (int y = qRound(top * kDotsPerMillimetre); y < qMin(page.height(), qRound(bottom * kDotsPerMillimetre)); ++y)
    for (int x = qRound(left * kDotsPerMillimetre); x < qMin(page.width(), qRound(right * kDotsPerMillimetre)); ++x)
      if (qGray(page.pixel(x, y)) < 100) ++count;
  return count;
}

TEST(TQuickRep, TheBoxIsPrintedWithinItsBoundsOnTheBand) {
  Report r;
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ";
  for (int i = 0; i < 80; ++i) rtf += "Linha de texto bem comprida que passa da largura da caixa e quebra\\par ";
  r.Load(rtf + "}");
  const QImage page = r.Render();
  EXPECT_EQ(page.pixel(qRound(5 * kDotsPerMillimetre), qRound(5 * kDotsPerMillimetre)), qRgb(255, 255, 255));
  EXPECT_EQ(page.pixel(qRound(5 * kDotsPerMillimetre), qRound(150 * kDotsPerMillimetre)), QColor(Qt::gray).rgb());
  EXPECT_GT(DarkPixels(page, 20, 10, 120, 60), 1000);
  EXPECT_EQ(DarkPixels(page, 0, 0, 20, 277), 0);     // left of the box
  EXPECT_EQ(DarkPixels(page, 120.5, 0, 190, 277), 0);  // right of it: the text wraps at its width
  EXPECT_EQ(DarkPixels(page, 0, 60.5, 190, 277), 0);   // below it: cut, not stretched
}

TEST(TQuickRep, BandsStackFromTheTopMargin) {
  Report r;
  auto *second = new TQRBand(&r.report, &r.report);
  second->Width = 190;
  second->Height = 40;
  auto *box = new TQRRichText(&r.report, second);
  box->Top = 5;
  box->Width = 100;
  box->Height = 30;
  r.drive.WriteFile("c:\\p.rtf", "{\\rtf1\\fs72 MMMM}");
  box->Lines()->LoadFromFile("c:\\p.rtf");
  const QImage page = r.Render();
  EXPECT_EQ(DarkPixels(page, 0, 0, 190, 100), 0);  // the first band's box is empty
  EXPECT_GT(DarkPixels(page, 0, 105, 100, 135), 500);
  EXPECT_EQ(page.pixel(qRound(150 * kDotsPerMillimetre), qRound(139 * kDotsPerMillimetre)), qRgb(255, 255, 255));
  EXPECT_EQ(page.pixel(qRound(150 * kDotsPerMillimetre), qRound(141 * kDotsPerMillimetre)), QColor(Qt::gray).rgb());
  delete second;  // its box stays with the report, on no band
  EXPECT_EQ(r.report.Bands().size(), 1u);
  EXPECT_NO_FATAL_FAILURE(r.Render());
}

TEST(TQuickRep, ThePrinterGetsThePageAndItsMargins) {
  Report r;
  r.report.Page.TopMargin = 15;
  QPrinter printer;
  r.report.SetUpPrinter(printer);
  const QPageLayout layout = printer.pageLayout();
  EXPECT_EQ(layout.pageSize().id(), QPageSize::A4);
  EXPECT_EQ(layout.orientation(), QPageLayout::Portrait);
  EXPECT_EQ(layout.margins(QPageLayout::Millimeter), QMarginsF(10, 15, 10, 10));
}

TEST(TQuickRep, ThePreviewShowsTheOnePageAtItsZoomUntilClosed) {
  Report r;
  r.Load("{\\rtf1 Texto}");
  r.report.Zoom = 50;
  int pages = -1;
  double zoom = 0;
  bool seen = false;
  std::function<void()> look = [&] {
    auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
    if (!dialog) {
      QTimer::singleShot(10, look);
      return;
    }
    auto *view = dialog->findChild<QPrintPreviewWidget *>();
    if (view) {
      pages = view->pageCount();
      zoom = view->zoomFactor();
    }
    seen = true;
    dialog->reject();
  };
  QTimer::singleShot(100, look);
  r.report.Preview();
  EXPECT_TRUE(seen);
  EXPECT_EQ(pages, 1);
  EXPECT_DOUBLE_EQ(zoom, 0.5);
}

TEST(TQuickRep, TheHookTakesThePreviewsPlace) {
  Report r;
  TQuickRep *seen = nullptr;
  QPageLayout layout;
  SetPreviewHookForTesting([&](TQuickRep &report, QPrinter &printer) {
    seen = &report;
    layout = printer.pageLayout();
  });
  r.report.Preview();
  SetPreviewHookForTesting({});
  EXPECT_EQ(seen, &r.report);
  EXPECT_EQ(layout.margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
}

}  // namespace
