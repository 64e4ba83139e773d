#pragma once
// Modal message boxes. Tests answer them through a seam, so that no test ever waits on a box.

#include "platform/ansi/AnsiString.h"

#include <functional>
#include <vector>

constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

struct TMessageBoxCall {
  AnsiString Text;
  AnsiString Caption;
  unsigned Flags = 0;
};

// Shows the box (buttons OK or Yes/No with Yes the default) and gives the button pressed. A carriage
// return breaks the line, as it does in a Windows box. Once the application ends (its session, or the
// main form closed) no box is shown: each gives its default button.
int ShowMessageBox(const AnsiString &text, const AnsiString &caption, unsigned flags);
// The boxes shown now return, answered with their default button.
void EndOpenMessageBoxes();
// The class library's message dialog: OK, captioned with the application's title.
void ShowMessage(const AnsiString &text);

// While installed, every box is recorded and answered by the function instead of shown.
class MessageBoxSeam {
 public:
  explicit MessageBoxSeam(std::function<int(const TMessageBoxCall &)> answer = {});
  ~MessageBoxSeam();
  MessageBoxSeam(const MessageBoxSeam &) = delete;
  MessageBoxSeam &operator=(const MessageBoxSeam &) = delete;
  const std::vector<TMessageBoxCall> &Calls() const { return calls_; }
  void SetAnswer(std::function<int(const TMessageBoxCall &)> answer) { answer_ = std::move(answer); }
  int Answer(const TMessageBoxCall &call);

 private:
  std::function<int(const TMessageBoxCall &)> answer_;
  std::vector<TMessageBoxCall> calls_;
  MessageBoxSeam *previous_;
};
