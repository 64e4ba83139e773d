// What the Linux desktop gives the program where Windows gave it: Qt's own texts in Portuguese, a
// carriage return that breaks a box's line, the program's title and icon, a stop signal handled as the
// end of the session, and a progress bar with nothing to count.

#include "platform/vcl/ComCtrls.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

namespace {

struct SeenBox {
  QStringList buttons;  // without their accelerator marks, sorted
  int lines = 0;        // of the text as Qt lays it out
};

// Shows a real box and, once it is up, looks at it and presses the button.
int ShowAndPress(const AnsiString &text, unsigned flags, QMessageBox::StandardButton press, SeenBox &seen) {
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box) return;
    poll.stop();
    for (QAbstractButton *button : box->buttons()) seen.buttons << button->text().remove(QLatin1Char('&'));
    seen.buttons.sort();
    // Laid out by a plain label, as some styles show the box's text: it breaks at a line feed only.
    QLabel plain(box->text());
    plain.setFont(box->font());
    seen.lines = plain.sizeHint().height() / plain.fontMetrics().lineSpacing();
    box->button(press)->click();
  });
  poll.start(5);
  return ShowMessageBox(text, "A T E N Ç Ã O"_a, flags);
}

TEST(MessageBox, QtsButtonsArePortugueseAndACarriageReturnBreaksTheLine) {
  Application->Initialize();  // the tests run under LC_ALL=C
  const struct {
    AnsiString text;
    int lines;
  } cases[] = {{"A\rB", 2}, {"A\r\nB", 2}, {"A\nB", 2}, {"AB", 1}, {"A\r\rB", 3}};
  for (const auto &c : cases) {
    SCOPED_TRACE(QString::fromLatin1(c.text.c_str()).toStdString());
    SeenBox seen;
    EXPECT_EQ(ShowAndPress(c.text, MB_YESNO, QMessageBox::No, seen), IDNO);
    EXPECT_EQ(seen.buttons, QStringList({"Não", "Sim"}));
    EXPECT_EQ(seen.lines, c.lines);
  }
}

TEST(TApplication, RunGivesTheDesktopTheTitleAndTheIconOfItsTaskbarEntry) {
  Application->ResetForTesting();
  TForm form(Application);
  form.SetCaption(" ");
  Application->MainForm = &form;
  Application->Title = "Orvalix Express";
  QPixmap blue(16, 16);
  blue.fill(Qt::blue);
  Application->Icon()->SetImage(QIcon(blue));
  QTimer::singleShot(0, [] { Application->Terminate(); });
  Application->Run();
  EXPECT_EQ(QGuiApplication::windowIcon().pixmap(16, 16).toImage().pixel(8, 8), QColor(Qt::blue).rgb());
  // The blank caption gives the entry the application's title; any other caption is the title itself.
  EXPECT_EQ(form.Caption(), " ");
  EXPECT_EQ(form.Widget()->windowTitle(), "Orvalix Express");
  form.SetCaption("A T E N Ç Ã O"_a);
  EXPECT_EQ(form.Widget()->windowTitle(), "A T E N Ç Ã O");
  Application->Icon()->SetImage(QIcon());
  Application->ResetForTesting();
}

// The box up now, when it shows this text.
QMessageBox *Shown(const char *text) {
  auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
  return box && box->text() == text ? box : nullptr;
}

// A handler waits in a box when the program is ended: by a stop signal, or by "Sair" answered "Sim" above
// it. As the end of a session and the quit message do on Windows, the box and the modal window give way,
// the handler ends its steps as after OK, and the main form's close is asked once.
TEST(TApplication, TheEndOfTheProgramEndsTheBoxesOfAHandlerWaitingInThem) {
  Application->Initialize();
  struct sigaction current {};
  sigaction(SIGTERM, nullptr, &current);
  ASSERT_NE(current.sa_handler, SIG_DFL);
  const struct {
    bool signal;
    std::vector<std::string> log;
  } cases[] = {
      {true, {"box 1", "modal 0", "tick ends", "close 6"}},  // closed once the handler has returned
      {false, {"close 6", "box 1", "modal 0", "tick ends"}},
  };
  for (const auto &c : cases) {
    Application->ResetForTesting();
    std::vector<std::string> log;
    TForm form(Application);
    Application->MainForm = &form;
    form.OnClose = [&](TObject *, TCloseAction &) {
      log.push_back("close " + std::to_string(ShowMessageBox("Deseja continuar?", "A T E N Ç Ã O"_a, MB_YESNO)));
    };
    TForm modal(&form);
    TTimer tick(nullptr);
    tick.SetInterval(10);
    tick.OnTimer = [&](TObject *) {
      tick.SetEnabled(false);
      log.push_back("box " + std::to_string(ShowMessageBox("Mensagem", "Orvalix", MB_OK)));
      log.push_back("modal " + std::to_string(modal.ShowModal()));
      log.push_back("tick ends");
    };
    // The user, a timer for each step (a timer does not fire while its own handler waits): the end while
    // the tick's box is up, then "Sim". A box still up half a second later is answered by hand.
    QTimer end, sim;
    QObject::connect(&end, &QTimer::timeout, [&] {
      if (!Shown("Mensagem")) return;
      end.stop();
      if (c.signal) std::raise(SIGTERM);
      else form.Close();
    });
    int waited = 0;
    QObject::connect(&sim, &QTimer::timeout, [&] {
      if (QMessageBox *box = Shown("Deseja continuar?")) box->button(QMessageBox::Yes)->click();
      if (QMessageBox *box = Shown("Mensagem"); box && !log.empty() && ++waited == 50) {
        log.push_back("left waiting");
        box->button(QMessageBox::Ok)->click();
      }
    });
    end.start(10);
    sim.start(10);
    EXPECT_TRUE(QTest::qWaitFor([&] { return log.size() >= 4; }, 5000));
    EXPECT_EQ(log, c.log) << c.signal;
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(modal.Visible());
  }
  Application->ResetForTesting();
}

QImage Drawn(QProgressBar &bar, int maximum, int value) {
  bar.resize(326, 17);
  bar.setTextVisible(false);
  bar.setRange(0, maximum);
  bar.setValue(value);
  return bar.grab().toImage();
}

TEST(TProgressBar, WithNothingToCountItShowsEmptyAndOtherwiseAsQtDoes) {
  TProgressBar bar(nullptr);
  QProgressBar reference;
  const QImage empty = Drawn(reference, 1, 0);
  ASSERT_NE(Drawn(reference, 0, 0), empty);  // Qt's own bar is "busy" then
  EXPECT_EQ(Drawn(bar, 0, 0), empty);
  EXPECT_EQ(Drawn(bar, 10, 4), Drawn(reference, 10, 4));
}

}  // namespace
