#pragma once
// The reporting components the print path uses: a report of title bands on an A4 page, a rich-text
// box on a band, and the report's print preview (a QPrintPreviewDialog from which the user may print).
// Sizes are in millimetres; positions of a band's boxes count from the band's corner, bands stack
// from the page's top margin.

#include "platform/vcl/Classes.h"

#include <QColor>
#include <QFont>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPrinter;
class QTextDocument;
class TRichEdit;
class TRichEditStrings;
class TQRBand;
class TQuickRep;

enum TQRPaperSize { A4 };
enum TPrinterOrientation { poPortrait, poLandscape };
enum TQRBandType { rbTitle };
enum TQROption { FirstPageHeader, LastPageFooter };

struct TQRPage {
  TQRPaperSize PaperSize = A4;
  TPrinterOrientation Orientation = poPortrait;
  double LeftMargin = 0, RightMargin = 0, TopMargin = 0, BottomMargin = 0;
  int Columns = 1;
};

// A rich-text box printed within its bounds: what does not fit is cut (AutoStretch false).
class TQRRichText : public TComponent {
 public:
  TQRRichText(TComponent *AOwner, TQRBand *parent);
  ~TQRRichText() override;

  double Left = 0, Top = 0, Width = 0, Height = 0;
  bool AutoStretch = false;
  TAlignment Alignment = taLeftJustify;
  // For text without a font of its own.
  QFont Font;
  TRichEditStrings *Lines() const;
  const QTextDocument &Document() const;

  // Paints the box into its bounds, in millimetres from the painter's origin.
  void Paint(QPainter &painter, double originX, double originY, double dotsPerMillimetre) const;

 private:
  friend class TQRBand;
  TQRBand *parent_;
  std::unique_ptr<TRichEdit> edit_;  // never shown: keeps the text and its line access
};

class TQRBand : public TComponent {
 public:
  TQRBand(TComponent *AOwner, TQuickRep *parent);
  ~TQRBand() override;

  TQRBandType BandType = rbTitle;
  QColor Color = Qt::white;
  double Width = 0, Height = 0;
  const std::vector<TQRRichText *> &Controls() const { return controls_; }

 private:
  friend class TQRRichText;
  friend class TQuickRep;
  TQuickRep *parent_;
  std::vector<TQRRichText *> controls_;
};

class TQuickRep : public TComponent {
 public:
  explicit TQuickRep(TComponent *AOwner);
  ~TQuickRep() override;

  TQRPage Page;
  int Zoom = 100;
  bool PrintIfEmpty = true;
  std::vector<TQROption> Options;
  QFont Font;
  const std::vector<TQRBand *> &Bands() const { return bands_; }

  // Shows the preview and returns when it is closed; the user may print from it.
  void Preview();
  // The printer of the report's page: paper, orientation and margins.
  void SetUpPrinter(QPrinter &printer) const;
  // Prints the report: its one page.
  void Print(QPrinter &printer) const;
  // Paints the page's bands, the painter's origin at the page's top and left margins.
  void PaintPage(QPainter &painter, double dotsPerMillimetre) const;

 private:
  friend class TQRBand;
  std::vector<TQRBand *> bands_;
};

// While set, Preview hands the report and its set-up printer to the function instead of showing the
// dialog; an empty function restores the dialog.
using TPreviewHook = std::function<void(TQuickRep &report, QPrinter &printer)>;
void SetPreviewHookForTesting(TPreviewHook hook);
