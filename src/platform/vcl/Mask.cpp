#include "platform/vcl/Mask.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QMenu>
#include <algorithm>
#include <memory>

TMaskEdit::TMaskEdit(QWidget *parent) : TKeyControl<QLineEdit>(parent) {
  setAcceptDrops(false);  // a drop would bypass the paste's rules
}

namespace {
bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }
}  // namespace

bool TMaskEdit::IsDigitPosition(int position) const {
  return position >= 0 && position < Length(form_) && form_[static_cast<std::size_t>(position)] == '9';
}

bool TMaskEdit::HoldsDigits() const {
  const QString shown = displayText();
  for (int i = 0; i < shown.size(); ++i)
    if (IsDigitPosition(i) && shown[i] != blank_) return true;
  return false;
}

void TMaskEdit::HomeWhenEmpty() {
  if (form_.empty() || HoldsDigits()) return;
  int first = 0;
  while (first < Length(form_) && !IsDigitPosition(first)) ++first;
  setCursorPosition(first);
}

QString TMaskEdit::WholeNumber(const QString &text) const {
  QString digits;
  for (QChar c : text) {
    if (IsAsciiDigit(c)) digits += c;
    else if (!c.isSpace() && !(c.unicode() < 128 && form_.find(static_cast<char>(c.unicode())) != AnsiString::npos))
      return {};
  }
  return digits.size() == std::count(form_.begin(), form_.end(), '9') ? digits : QString();
}

void TMaskEdit::SetEditMask(const AnsiString &mask) {
  QString typed;
  const QString before = displayText();
  for (int i = 0; i < before.size(); ++i)
    if (IsDigitPosition(i)) typed += before[i];

  editMask_ = mask;
  const int end = Pos(";", mask);
  const AnsiString proper = end > 0 ? Copy(mask, 1, end - 1) : mask;
  const int second = end > 0 ? Pos(";", Copy(mask, end + 1, Length(mask))) : 0;
  const AnsiString blank = second > 0 ? Copy(mask, end + second + 1, 1) : AnsiString();
  blank_ = blank.empty() ? QChar('_') : ToQString(blank)[0];
  form_.clear();
  QString qtMask;
  for (char c : proper) {
    if (c == '!') continue;
    form_ += c;
    qtMask += c == '9' ? QStringLiteral("0") : QStringLiteral("\\") + ToQString(AnsiString(1, c));
  }
  if (form_.empty()) {
    setInputMask(QString());
    return;
  }
  setInputMask(qtMask + ';' + blank_);
  // Qt's mask would refit the old text literals and all; the positions typed keep their order instead.
  QString refit;
  int next = 0;
  for (int i = 0; i < Length(form_); ++i) {
    if (!IsDigitPosition(i)) refit += ToQString(AnsiString(1, form_[static_cast<std::size_t>(i)]));
    else refit += next < typed.size() ? typed[next++] : blank_;
  }
  setText(refit);
  setCursorPosition(0);
}

QString TMaskEdit::Shown(const AnsiString &text) const {
  QString shown = ToQString(text);
  for (int i = 0; i < shown.size(); ++i)
    if (IsDigitPosition(i) && shown[i] == ' ') shown[i] = blank_;
  return shown;
}

AnsiString TMaskEdit::Text() const {
  if (form_.empty()) return FromQString(text());
  QString shown = displayText();
  for (int i = 0; i < shown.size(); ++i)
    if (IsDigitPosition(i) && shown[i] == blank_) shown[i] = ' ';
  return FromQString(shown);
}

void TMaskEdit::SetText(const AnsiString &text) { setText(Shown(text)); }

void TMaskEdit::PasteFromClipboard() { Paste(QGuiApplication::clipboard()->text()); }

void TMaskEdit::Paste(const QString &clip) {
  if (isReadOnly()) return;
  if (form_.empty()) {
    insert(clip);
    return;
  }
  QString shown = displayText();
  const QString number = WholeNumber(clip);
  if (!number.isEmpty()) {
    for (int i = 0, next = 0; i < shown.size(); ++i)
      if (IsDigitPosition(i)) shown[i] = number[next++];
    setText(shown);
    setCursorPosition(Length(form_));
    return;
  }
  int position = cursorPosition();
  if (hasSelectedText()) {
    position = selectionStart();
    for (int i = position; i < position + selectionLength(); ++i)
      if (IsDigitPosition(i)) shown[i] = blank_;
  }
  for (QChar c : clip.trimmed()) {  // Unicode's blanks and line ends too
    if (position < Length(form_) && !IsDigitPosition(position) &&
        c == QLatin1Char(form_[static_cast<std::size_t>(position)])) {
      ++position;
      continue;
    }
    if (!IsAsciiDigit(c)) break;
    while (position < Length(form_) && !IsDigitPosition(position)) ++position;
    if (position >= Length(form_)) break;
    shown[position++] = c;
  }
  setText(shown);
  setCursorPosition(position);
}

void TMaskEdit::keyPressEvent(QKeyEvent *event) {
  if (!DispatchKey(this, *event, OnKeyDown, OnKeyPress)) return;
  if (!form_.empty()) {
    if (event->matches(QKeySequence::Paste)) {
      PasteFromClipboard();
      return;
    }
    // Qt's mask takes any digit of Unicode (a superscript two, an Arabic three); the box takes ASCII
    // digits and its own literals.
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0].isPrint()) {
      const char16_t c = typed[0].unicode();
      const bool literal = c < 128 && form_.find(static_cast<char>(c)) != AnsiString::npos;
      if (!(c >= '0' && c <= '9') && !literal) return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void TMaskEdit::focusInEvent(QFocusEvent *event) {
  QLineEdit::focusInEvent(event);
  if (event->reason() != Qt::MouseFocusReason) selectAll();
}

void TMaskEdit::contextMenuEvent(QContextMenuEvent *event) {
  const std::unique_ptr<QMenu> menu(createStandardContextMenu());
  if (!form_.empty()) {
    for (QAction *action : menu->actions()) {
      if (action->objectName() != "edit-paste" && !action->text().startsWith(QLineEdit::tr("&Paste"))) continue;
      QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
      QObject::connect(action, &QAction::triggered, this, [this] { PasteFromClipboard(); });
    }
  }
  menu->exec(event->globalPos());
}

void TMaskEdit::mousePressEvent(QMouseEvent *event) {
  QLineEdit::mousePressEvent(event);
  if (event->button() != Qt::RightButton) HomeWhenEmpty();
}

void TMaskEdit::mouseDoubleClickEvent(QMouseEvent *event) {
  // A double click into a box without digits selects none of its blanks.
  if (form_.empty() || HoldsDigits()) QLineEdit::mouseDoubleClickEvent(event);
  else HomeWhenEmpty();
}

void TMaskEdit::mouseReleaseEvent(QMouseEvent *event) {
  // X's middle-button paste of the selection goes the paste's way too.
  if (!form_.empty() && event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
    if (rect().contains(event->position().toPoint())) Paste(QGuiApplication::clipboard()->text(QClipboard::Selection));
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}
