#include "platform/sys/Exceptions.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class Watcher : public TComponent {
 public:
  using TComponent::TComponent;
  std::vector<std::pair<TComponent *, TOperation>> heard;

 protected:
  void Notification(TComponent *c, TOperation op) override { heard.emplace_back(c, op); }
};

TEST(TComponent, OwnerFreesWhatItOwnsAndSiblingsHearOfARemoval) {
  auto *owner = new TComponent(nullptr);
  auto *watcher = new Watcher(owner);
  auto *child = new TComponent(owner);
  child->Name = "Timer1";
  EXPECT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(owner->FindComponent("TIMER1"), child);
  delete child;
  ASSERT_FALSE(watcher->heard.empty());
  EXPECT_EQ(watcher->heard.back(), std::make_pair(child, opRemove));
  EXPECT_EQ(owner->ComponentCount(), 1);

  auto *outsider = new TComponent(nullptr);
  watcher->FreeNotification(outsider);
  delete outsider;
  EXPECT_EQ(watcher->heard.back(), std::make_pair(outsider, opRemove));
  delete owner;  // frees the watcher too; nothing may be touched twice under the sanitizers
}

TEST(TForm, OnCloseDecidesWhetherTheFormGoes) {
  Application->ResetForTesting();
  TForm other(Application);
  TForm form(Application);
  Application->MainForm = &other;
  TCloseAction answer = caNone;
  form.OnClose = [&](TObject *, TCloseAction &action) { action = answer; };
  form.Show();
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(IsWindowVisible(Application->Handle()));
  form.Close();
  EXPECT_TRUE(form.Visible());
  answer = caHide;
  form.Close();
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(IsWindowVisible(Application->Handle()));  // no form shown: no taskbar button
  EXPECT_FALSE(Application->Terminated());
  Application->ResetForTesting();
}

TEST(TForm, ClosingTheMainFormEndsTheApplication) {
  Application->ResetForTesting();
  TForm form(Application);
  Application->MainForm = &form;
  form.Close();
  EXPECT_TRUE(Application->Terminated());
  Application->ResetForTesting();
}

TEST(TForm, ShowModalKeepsTimersFiringAndEndsWithTheModalResult) {
  Application->ResetForTesting();
  TForm form(Application);
  TTimer timer(nullptr);
  timer.SetInterval(5);
  int ticks = 0;
  timer.OnTimer = [&](TObject *) {
    if (++ticks == 5) form.ModalResult = mrOk;
  };
  int closes = 0;
  form.OnClose = [&](TObject *, TCloseAction &action) {
    // The first close is refused: the loop goes on until the next result.
    if (++closes == 1) {
      action = caNone;
      QTimer::singleShot(20, [&] { form.Close(); });
    }
  };
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_GE(ticks, 5);
  EXPECT_EQ(closes, 2);
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.Modal());
}

TEST(TForm, TheReplacedWindowProcedureDecidesWhetherTheFormMinimizes) {
  TForm form(nullptr);
  form.Show();
  struct Swallow : TWindowProc {
    WNDPROC saved = nullptr;
    int seen = 0;
    LRESULT Call(HWND w, UINT m, WPARAM wp, LPARAM lp) override {
      if (m == WM_SYSCOMMAND && wp == SC_MINIMIZE) {
        ++seen;
        return 1;
      }
      return CallWindowProcA(saved, w, m, wp, lp);
    }
  } swallow;
  swallow.saved = reinterpret_cast<WNDPROC>(GetWindowLongA(form.Handle(), GWL_WNDPROC));
  SetWindowLongA(form.Handle(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&swallow));
  form.Widget()->showMinimized();  // the desktop minimizes it
  EXPECT_EQ(swallow.seen, 1);
  EXPECT_EQ(form.WindowState(), wsNormal);
  SetWindowLongA(form.Handle(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(swallow.saved));
  form.Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(form.WindowState(), wsMinimized);
}

TEST(TApplication, HandlersErrorsGoToTheDefaultBoxCaptionedWithTheTitle) {
  MessageBoxSeam seam;
  Application->Title = "Orvalix Express";
  Guarded([] { throw EDatabaseError("Falha"); });
  Guarded([] { throw EAbort("silent"); });
  ASSERT_EQ(seam.Calls().size(), 1u);
  EXPECT_EQ(seam.Calls()[0].Text, "Falha.");
  EXPECT_EQ(seam.Calls()[0].Caption, "Orvalix Express");
  ShowMessage("Ok");
  EXPECT_EQ(seam.Calls()[1].Caption, "Orvalix Express");
  seam.SetAnswer([](const TMessageBoxCall &) { return IDNO; });
  EXPECT_EQ(ShowMessageBox("?", "A", MB_YESNO), IDNO);
}

TEST(TApplication, HooksSeeTheApplicationsMessagesFirst) {
  std::vector<UINT> seen;
  const int id = Application->HookMainWindow([&](TMessage &m) {
    seen.push_back(m.Msg);
    return false;
  });
  Application->Minimize();
  EXPECT_TRUE(Application->Minimized());
  Application->Restore();
  EXPECT_FALSE(Application->Minimized());
  Application->UnhookMainWindow(id);
  SendMessageA(Application->Handle(), WM_USER, 0, 0);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_WINDOWPOSCHANGED, WM_SIZE, WM_WINDOWPOSCHANGED, WM_SIZE}));
}

TEST(TTimer, WritingIntervalOrEnabledRestartsTheCount) {
  TTimer timer(nullptr);
  timer.SetInterval(10000);
  QTest::qWait(60);
  EXPECT_LE(timer.RemainingTime(), 9960);
  timer.SetInterval(10000);
  EXPECT_GT(timer.RemainingTime(), 9950);
  QTest::qWait(60);
  timer.SetEnabled(true);
  EXPECT_GT(timer.RemainingTime(), 9950);
  timer.SetEnabled(false);
  EXPECT_EQ(timer.RemainingTime(), -1);
  int ticks = 0;
  timer.OnTimer = [&](TObject *) { ++ticks; };
  timer.SetInterval(1);
  QTest::qWait(30);
  EXPECT_EQ(ticks, 0);
  timer.SetEnabled(true);
  QTest::qWait(30);
  EXPECT_GT(ticks, 0);
}

TEST(TTimer, AHandlerMayFreeItsOwnTimer) {
  auto *timer = new TTimer(nullptr);
  timer->SetInterval(1);
  const AnsiString text(64, 'x');  // kept by the handler, read after the timer is gone
  AnsiString seen;
  timer->OnTimer = [&timer, &seen, text](TObject *) {
    delete timer;
    timer = nullptr;
    seen = text;
  };
  for (int i = 0; i < 40 && timer; ++i) QTest::qWait(5);
  EXPECT_EQ(timer, nullptr);
  EXPECT_EQ(seen, text);
}

}  // namespace
