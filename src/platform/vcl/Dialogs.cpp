#include "platform/vcl/Dialogs.h"

#include "platform/vcl/Forms.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

namespace {
MessageBoxSeam *activeSeam = nullptr;
std::vector<QMessageBox *> openBoxes;

// The application ends (its session, or a close of the main form): boxes give their default button.
bool Ending() { return Application && (Application->EndingSession() || Application->Terminated()); }

int DefaultAnswer(unsigned flags) { return (flags & 0xF) == MB_YESNO ? IDYES : IDOK; }

// As Windows shows a message box: centred on the screen, whatever window is active (the wait window
// stands in the corner), and wide enough for the desktop to show the caption beside its title bar's
// buttons.
class TMessageBoxWindow : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent *event) override {
    // Room for the caption in the layout, which the box fits itself to whenever it lays out its text.
    auto *grid = qobject_cast<QGridLayout *>(layout());
    if (grid && !captionRoom_) {
      captionRoom_ = true;
      QFont caption = font();
      caption.setBold(true);
      const QFontMetrics metrics(caption);
      const int width = metrics.horizontalAdvance(windowTitle()) + kTitleBarButtons * metrics.height();
      grid->addItem(new QSpacerItem(width, 0), grid->rowCount() - 1, 0, 1, grid->columnCount());
    }
    QMessageBox::showEvent(event);
    Centre();
  }
  bool event(QEvent *event) override {
    const bool handled = QMessageBox::event(event);
    if (event->type() == QEvent::LayoutRequest && isVisible()) Centre();
    return handled;
  }

 private:
  static constexpr int kTitleBarButtons = 6;  // the icon, minimize, maximize and close, with their margins
  void Centre() {
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
  }
  bool captionRoom_ = false;
};

// Qt's labels break lines at a line feed only: CR LF and a lone CR become one.
QString BoxText(const AnsiString &text) {
  QString shown = ToQString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}
}  // namespace

MessageBoxSeam::MessageBoxSeam(std::function<int(const TMessageBoxCall &)> answer)
    : answer_(std::move(answer)), previous_(activeSeam) {
  activeSeam = this;
}

MessageBoxSeam::~MessageBoxSeam() { activeSeam = previous_; }

int MessageBoxSeam::Answer(const TMessageBoxCall &call) {
  calls_.push_back(call);
  if (answer_) return answer_(call);
  return DefaultAnswer(call.Flags);
}

void EndOpenMessageBoxes() {
  for (QMessageBox *box : openBoxes) box->done(0);
}

int ShowMessageBox(const AnsiString &text, const AnsiString &caption, unsigned flags) {
  if (Ending()) return DefaultAnswer(flags);
  if (activeSeam) return activeSeam->Answer({text, caption, flags});
  TMessageBoxWindow box(QApplication::activeWindow());
  box.setWindowTitle(ToQString(caption));
  box.setText(BoxText(text));
  box.setTextFormat(Qt::PlainText);
  switch (flags & 0xF0) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon);
  }
  const bool yesNo = (flags & 0xF) == MB_YESNO;
  if (yesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  openBoxes.push_back(&box);
  const int pressed = box.exec();
  std::erase(openBoxes, &box);
  if (Ending()) return DefaultAnswer(flags);  // ended by the application's end
  if (!yesNo) return IDOK;
  return pressed == QMessageBox::Yes ? IDYES : IDNO;
}

void ShowMessage(const AnsiString &text) { ShowMessageBox(text, Application->Title, MB_OK); }
