#pragma once
// A label that tells its double click, which QLabel does not, and the radio button.

#include "platform/vcl/Classes.h"
#include "platform/vcl/Keys.h"

#include <QLabel>
#include <QRadioButton>

class TLabel : public QLabel, public TObject {
 public:
  explicit TLabel(QWidget *parent) : QLabel(parent) {}
  TNotifyEvent OnDblClick;
  // Writes the caption; while AutoSize is on (the class library's default) the label takes the size of
  // its text, keeping its top left corner.
  void SetCaption(const QString &caption);
  bool AutoSize = true;

 protected:
  void mouseDoubleClickEvent(QMouseEvent *event) override;
};

// OnClick runs when the button becomes the chosen one: clicked, moved to with the arrow keys, or
// Checked set by the program.
class TRadioButton : public TKeyControl<QRadioButton> {
 public:
  explicit TRadioButton(QWidget *parent);
  bool Checked() const { return isChecked(); }
  void SetChecked(bool checked) { setChecked(checked); }
  TNotifyEvent OnClick;
};

// The class library's Visible of a control: its own flag, whatever its window shows.
inline bool Visible(const QWidget *control) { return !control->isHidden(); }
