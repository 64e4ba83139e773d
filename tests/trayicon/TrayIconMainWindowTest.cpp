// The component and the application's windows: the taskbar re-created, the minimize paths, hiding and
// restoring the main form, and the replaced window procedure of the owner form.

#include "TrayTestSupport.h"

namespace {

// Sits between the owner form's window and its own procedure, and records what gets through.
struct Spy : TWindowProc {
  WNDPROC next = nullptr;
  std::vector<std::pair<UINT, WPARAM>> seen;
  LRESULT answer = 0;
  bool answerAll = false;
  LRESULT Call(HWND w, UINT m, WPARAM wp, LPARAM lp) override {
    seen.emplace_back(m, wp);
    if (answerAll) return answer;
    return CallWindowProcA(next, w, m, wp, lp);
  }
  bool Saw(UINT m) const {
    return std::any_of(seen.begin(), seen.end(), [m](const auto &p) { return p.first == m; });
  }
};

class MainWindow : public TrayTest {
 protected:
  void SetUp() override {
    TrayTest::SetUp();
    form = new TForm(Application);
    Application->MainForm = form;
    tray = new TTrayIcon(form);
    tray->SetHint("Orvalix Express");
    tray->Icon()->SetImage(QIcon(QPixmap(16, 16)));
    form->Show();
    NotificationArea().ClearCalls();
  }
  void TearDown() override {
    delete form;  // takes the component with it
    TrayTest::TearDown();
  }
  bool AppWindowVisible() const { return IsWindowVisible(Application->Handle()); }
  bool FormOnScreen() const { return form->Widget()->isVisible() && !form->Widget()->isMinimized(); }

  TForm *form = nullptr;
  TTrayIcon *tray = nullptr;
};

TEST_F(MainWindow, TheTaskbarReCreatedBringsTheIconBackOnlyWhenItShouldBeShown) {
  tray->SetIconVisible(true);
  const QIcon before = ShownIcon(*tray)->Image;
  NotificationArea().ClearCalls();
  NotificationArea().RecreateTaskbar();
  EXPECT_EQ(ShellLog(), (Log{"ADD 1"}));
  ASSERT_NE(ShownIcon(*tray), nullptr);
  EXPECT_EQ(ShownIcon(*tray)->Tip, "Orvalix Express");
  EXPECT_EQ(ShownIcon(*tray)->Image.cacheKey(), before.cacheKey());
  tray->SetIconVisible(false);
  NotificationArea().ClearCalls();
  NotificationArea().RecreateTaskbar();
  EXPECT_TRUE(ShellLog().empty());
  EXPECT_TRUE(NotificationArea().Icons().empty());
}

TEST_F(MainWindow, HideAndRestoreMoveTheFormAndTheTaskbarButtonButNotTheIcon) {
  ASSERT_TRUE(AppWindowVisible());
  tray->HideMainForm();
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(AppWindowVisible());
  EXPECT_FALSE(tray->IconVisible());
  EXPECT_TRUE(ShellLog().empty());
  tray->HideMainForm();  // already hidden: nothing more
  EXPECT_FALSE(form->Visible());

  form->SetWindowState(wsMinimized);
  tray->RestoreMainForm();
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->WindowState(), wsNormal);
  EXPECT_TRUE(FormOnScreen());
  EXPECT_TRUE(AppWindowVisible());
  EXPECT_EQ(GetForegroundWindow(), Application->Handle());
  tray->RestoreMainForm();  // a second call changes nothing visible
  EXPECT_TRUE(FormOnScreen());
  EXPECT_EQ(form->WindowState(), wsNormal);
  EXPECT_TRUE(ShellLog().empty());
}

TEST_F(MainWindow, HideMainFormWithTheTaskbarButtonAlreadyHiddenHidesTheFormOnly) {
  ShowWindow(Application->Handle(), SW_HIDE);
  std::vector<UINT> appMessages;
  const int hook = Application->HookMainWindow([&](TMessage &m) {
    appMessages.push_back(m.Msg);
    return false;
  });
  tray->HideMainForm();
  Application->UnhookMainWindow(hook);
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(appMessages.empty());  // the application's window was not touched
}

TEST_F(MainWindow, WithoutAMainFormOrAWindowedOwnerHideAndRestoreDoNothing) {
  Application->MainForm = nullptr;
  tray->HideMainForm();
  EXPECT_TRUE(form->Visible());
  Application->MainForm = form;
  TTrayIcon loose(nullptr);
  loose.HideMainForm();
  EXPECT_TRUE(form->Visible());
  tray->HideMainForm();
  loose.RestoreMainForm();
  EXPECT_FALSE(form->Visible());
}

TEST_F(MainWindow, TheFormsMinimizeGoesToTheTrayWhenOnMinimizeToTrayIsAssigned) {
  tray->SetMinimizeToTray(true);
  int fired = 0;
  tray->OnMinimizeToTray = [&](TObject *sender) {
    EXPECT_EQ(sender, tray);
    ++fired;
  };
  form->Widget()->showMinimized();  // the desktop's minimize button
  EXPECT_EQ(fired, 1);
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(AppWindowVisible());
  EXPECT_FALSE(Application->Minimized());
  EXPECT_EQ(form->WindowState(), wsNormal);
  EXPECT_TRUE(tray->IconVisible());
  EXPECT_NE(ShownIcon(*tray), nullptr);
}

TEST_F(MainWindow, WithoutOnMinimizeToTrayTheApplicationMinimizesAndItsHookSendsTheFormToTheTray) {
  tray->SetMinimizeToTray(true);
  form->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(Application->Minimized());
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(AppWindowVisible());
  EXPECT_TRUE(tray->IconVisible());
  EXPECT_NE(ShownIcon(*tray), nullptr);

  // Back from the tray: the application leaves the minimized state and the form is shown.
  tray->SetIconVisible(false);
  tray->RestoreMainForm();
  EXPECT_FALSE(Application->Minimized());
  EXPECT_TRUE(FormOnScreen());
  EXPECT_TRUE(AppWindowVisible());
}

TEST_F(MainWindow, WithoutMinimizeToTrayTheFormMinimizesWithTheApplication) {
  tray->OnMinimizeToTray = [](TObject *) { FAIL() << "not wanted"; };
  form->Widget()->showMinimized();
  EXPECT_TRUE(Application->Minimized());
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(form->HiddenWithOwner());
  EXPECT_TRUE(form->Widget()->isMinimized());
  EXPECT_TRUE(AppWindowVisible());
  EXPECT_FALSE(tray->IconVisible());
  // Restoring the form's entry on the desktop restores the application, and the form with it.
  form->Widget()->showNormal();
  EXPECT_FALSE(Application->Minimized());
  EXPECT_FALSE(form->HiddenWithOwner());
  EXPECT_TRUE(FormOnScreen());
}

TEST_F(MainWindow, AFormHiddenWithItsMinimizedOwnerGoesToTheTrayUntilTheApplicationEnds) {
  tray->SetMinimizeToTray(true);
  int fired = 0;
  tray->OnMinimizeToTray = [&](TObject *) { ++fired; };
  EXPECT_EQ(form->Perform(WM_SHOWWINDOW, 0, SW_PARENTCLOSING), 1);
  EXPECT_EQ(fired, 1);
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(form->HiddenWithOwner());

  tray->RestoreMainForm();
  Application->Terminate();
  form->Perform(WM_SHOWWINDOW, 0, SW_PARENTCLOSING);
  EXPECT_EQ(fired, 1);
  EXPECT_TRUE(form->HiddenWithOwner());  // the form's own handling ran
}

TEST_F(MainWindow, TheRestoreCommandOnTheApplicationsWindowShowsTheMainForm) {
  tray->HideMainForm();
  SendMessageA(Application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(form->Visible());
  tray->HideMainForm();
  SendMessageA(Application->Handle(), WM_SYSCOMMAND, SC_RESTORE | 1, 0);
  EXPECT_FALSE(form->Visible());
}

TEST_F(MainWindow, ShowingTheFormBringsTheApplicationAndThenTheFormToTheFront) {
  form->Hide();
  SetForegroundWindow(Application->Handle());
  form->Show();
  EXPECT_EQ(GetForegroundWindow(), form->Handle());  // the application first, the form last
  form->Perform(WM_SHOWWINDOW, 1, SW_PARENTOPENING);  // not a direct show request
  SetForegroundWindow(Application->Handle());
  form->Perform(WM_SHOWWINDOW, 1, SW_PARENTOPENING);
  EXPECT_EQ(GetForegroundWindow(), Application->Handle());
}

TEST_F(MainWindow, TheOwnersProcedureSeesEveryMessageButDestroyAndHandledMinimizes) {
  // A spy installed before the component: it is the procedure the component passes messages on to.
  delete tray;
  Spy spy;
  spy.next = reinterpret_cast<WNDPROC>(GetWindowLongA(form->Handle(), GWL_WNDPROC));
  SetWindowLongA(form->Handle(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&spy));
  tray = new TTrayIcon(form);
  EXPECT_NE(GetWindowLongA(form->Handle(), GWL_WNDPROC), reinterpret_cast<LONG_PTR>(&spy));
  tray->SetMinimizeToTray(true);
  tray->OnMinimizeToTray = [](TObject *) {};

  spy.answerAll = true;
  spy.answer = 42;
  struct Case {
    UINT message;
    WPARAM wParam;
    LRESULT answer;
    bool passedOn;
  };
  const Case cases[] = {
      {WM_USER, 0, 42, true},
      {WM_SYSCOMMAND, SC_MINIMIZE | 1, 42, true},  // differs in a bit: untouched
      {WM_SYSCOMMAND, SC_RESTORE, 42, true},
      {WM_SYSCOMMAND, SC_MINIMIZE, 1, false},  // handled: to the tray
      {WM_DESTROY, 0, 1, false},
      {WM_NCDESTROY, 0, 1, false},
      {WM_CLOSE, 0, 42, true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.message);
    spy.seen.clear();
    EXPECT_EQ(form->Perform(c.message, c.wParam, 0), c.answer);
    EXPECT_EQ(spy.Saw(c.message), c.passedOn);
  }
  // The component going before its form puts the form's own procedure back.
  delete tray;
  tray = nullptr;
  EXPECT_EQ(GetWindowLongA(form->Handle(), GWL_WNDPROC), reinterpret_cast<LONG_PTR>(&spy));
  SetWindowLongA(form->Handle(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(spy.next));
}

TEST_F(MainWindow, GoingWithItsFormTheComponentRemovesItsIconItsHookAndTheSharedWindow) {
  tray->SetIconVisible(true);
  const HWND notifyWindow = tray->TrayRecord().hWnd;
  delete form;
  form = nullptr;
  EXPECT_TRUE(NotificationArea().Icons().empty());
  EXPECT_FALSE(IsWindow(notifyWindow));
  EXPECT_EQ(SharedTrayHandler, nullptr);
  NotificationArea().ClearCalls();
  NotificationArea().RecreateTaskbar();  // no hook is left to answer it
  EXPECT_TRUE(ShellLog().empty());
  form = new TForm(Application);  // for TearDown
}

TEST_F(MainWindow, AnMdiMainFormAsksOnStartupAtTheFirstWindowPositionChange) {
  delete form;
  form = new TForm(Application);
  form->FormStyle = fsMDIForm;
  Application->MainForm = nullptr;
  int asked = 0;
  tray = new TTrayIcon(form);
  tray->OnStartup = [&](TObject *, bool &show) {
    ++asked;
    show = false;
  };
  SendMessageA(Application->Handle(), WM_WINDOWPOSCHANGED, 0, 0);  // no main form yet: still pending
  EXPECT_EQ(asked, 0);
  Application->MainForm = form;
  form->Show();  // the application's window is shown: the first change of place
  EXPECT_EQ(asked, 1);  // hiding the window changes its place again: not asked twice
  EXPECT_FALSE(AppWindowVisible());
  EXPECT_TRUE(form->Visible());  // the form itself is not touched
  ShowWindow(Application->Handle(), SW_SHOW);
  EXPECT_EQ(asked, 1);  // asked once only
  EXPECT_TRUE(AppWindowVisible());
}

TEST_F(MainWindow, TheMainWindowsRoundTripThroughTheTray) {
  // The start screen: form and icon shown; then the return to the tray and a double click on the icon.
  TPopupMenu *menu = new TPopupMenu(form);
  auto *open = new TMenuItem(form);
  open->Caption = "Abrir";
  open->Default = true;
  menu->Items()->Add(open);
  tray->SetPopupMenu(menu);
  auto restore = [&](TObject *) {
    tray->SetIconVisible(false);
    tray->RestoreMainForm();
  };
  open->OnClick = restore;
  tray->OnDblClick = restore;
  tray->SetIconVisible(true);
  EXPECT_TRUE(FormOnScreen());

  tray->SetIconVisible(true);  // refused: the icon is there
  tray->HideMainForm();
  EXPECT_FALSE(FormOnScreen());
  EXPECT_FALSE(AppWindowVisible());
  EXPECT_EQ(NotificationArea().Icons().size(), 1u);

  NotificationArea().ClearCalls();
  for (LPARAM m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}) Callback(*tray, m);
  EXPECT_EQ(ShellLog(), (Log{"DELETE 1", "DELETE 0"}));  // OnDblClick, then the default item "Abrir"
  EXPECT_TRUE(FormOnScreen());
  EXPECT_TRUE(AppWindowVisible());
  EXPECT_FALSE(tray->IconVisible());
  Wait(60);  // the click delay ends without a click
}

}  // namespace
