#include "MainWindowFixture.h"
#include "consultation/UConsulta.h"

#include "platform/win/ShellApi.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

class WindowStates : public MainWindowTest {
 protected:
  // The main window as the message loop shows it at start, with the batch kept quiet.
  TForm1 &Start() {
    TForm1 &form = CreateMainWindow();
    form.Timer2->SetEnabled(false);
    form.Show();
    return form;
  }
  bool IconInTheArea(TForm1 &form) const {
    return NotificationArea().FindIcon(form.TrayIcon1->TrayRecord().hWnd, form.TrayIcon1->TrayRecord().uID);
  }
};

TEST_F(WindowStates, StartScreenThenTrayThenOpenedThenTrayAgain) {
  TForm1 &form = Start();
  // Start screen: window and icon both shown, buttons disabled.
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(form.Widget()->pos(), QPoint(152, 145));
  EXPECT_EQ(form.Widget()->size(), QSize(444, 300));
  EXPECT_TRUE(form.Widget()->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(IconInTheArea(form));
  EXPECT_EQ(NotificationArea().FindIcon(form.TrayIcon1->TrayRecord().hWnd, form.TrayIcon1->TrayRecord().uID)->Tip,
            "Orvalix Express");
  EXPECT_TRUE(form.Timer1->Enabled());
  EXPECT_EQ(form.Timer1->Interval(), 3000u);
  EXPECT_FALSE(form.Button1->isEnabled());
  EXPECT_FALSE(form.Button2->isEnabled());

  // In the tray.
  form.Timer1Timer(form.Timer1);
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(IsWindowVisible(Application->Handle()));
  EXPECT_TRUE(IconInTheArea(form));
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_EQ(form.Timer1->Interval(), 10u);
  EXPECT_TRUE(form.Button1->isEnabled());
  EXPECT_TRUE(form.Button2->isEnabled());
  EXPECT_TRUE(form.Timer2->Enabled());  // switched on when found off

  // Opened through "Abrir".
  form.Sobre1Click(form.Sobre1);
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(IsWindowVisible(Application->Handle()));
  EXPECT_FALSE(IconInTheArea(form));

  // "&Minimizar": 10 ms later the window is back in the tray.
  form.Button1->click();
  EXPECT_TRUE(form.Timer1->Enabled());
  EXPECT_EQ(form.Timer1->Interval(), 10u);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !form.Visible(); }, 2000));
  EXPECT_TRUE(IconInTheArea(form));
}

TEST_F(WindowStates, ADoubleClickOnTheIconOpensTheWindowAndTheFirstTimer1TickPutsItBack) {
  SetDoubleClickTimeForTesting(30);
  TForm1 &form = Start();
  const HWND window = form.TrayIcon1->TrayRecord().hWnd;
  const UINT id = form.TrayIcon1->TrayRecord().uID;
  form.Hide();  // as in the tray, but still the start screen's timer
  // The icon goes with the double click, so the last button-up finds no icon any more.
  for (LPARAM message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    NotificationArea().InjectCallback(window, id, message);
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.Visible(); }, 1000));
  EXPECT_FALSE(IconInTheArea(form));
  EXPECT_FALSE(form.TrayIcon1->IconVisible());
  form.Timer1Timer(form.Timer1);
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(IconInTheArea(form));
}

TEST_F(WindowStates, WithoutATrayTheCornerWindowHoldsTheIconAndItsDoubleClickOpensTheWindow) {
  NotificationArea().SetTrayAvailableForTesting(false);
  SetDoubleClickTimeForTesting(30);
  TForm1 &form = Start();
  form.Timer1Timer(form.Timer1);  // in the tray
  ASSERT_FALSE(form.Visible());
  const TCornerArea *corner = NotificationArea().CornerWindow();
  ASSERT_NE(corner, nullptr);
  EXPECT_TRUE(corner->isVisible());
  QWidget *icon = corner->IconWidget(form.TrayIcon1->TrayRecord().hWnd, form.TrayIcon1->TrayRecord().uID);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->toolTip(), "Orvalix Express");
  // What the desktop sends for a double click: press, release, double click, release.
  QTest::mouseClick(icon, Qt::LeftButton);
  QTest::mouseDClick(icon, Qt::LeftButton);
  QTest::mouseRelease(icon, Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.Visible(); }, 1000));
  EXPECT_FALSE(IconInTheArea(form));
  EXPECT_FALSE(corner->isVisible());
  NotificationArea().SetTrayAvailableForTesting(std::nullopt);
}

TEST_F(WindowStates, TheConsultationEntriesFollowTheLocalConfigurationAtEveryReturnToTheTray) {
  TForm1 &form = Start();
  QSignalSpy clicks(form.cons, &QPushButton::clicked);
  EXPECT_FALSE(::Visible(form.cons));
  EXPECT_FALSE(form.Consultar1->Visible);

  form.Timer1Timer(form.Timer1);  // no configuration file
  EXPECT_FALSE(::Visible(form.cons));
  EXPECT_FALSE(form.Consultar1->Visible);
  form.Consultar1Click(form.Consultar1);
  EXPECT_EQ(clicks.count(), 0);

  WriteLocalConfig("42");
  form.Timer1Timer(form.Timer1);
  EXPECT_TRUE(::Visible(form.cons));
  EXPECT_TRUE(form.Consultar1->Visible);
  QTimer::singleShot(0, [] { Consulta->Close(); });  // the consultation window it opens
  form.Consultar1Click(form.Consultar1);  // clicks "&Consultar"
  EXPECT_EQ(clicks.count(), 1);

  form.DisconnectDatabase();
  EXPECT_FALSE(::Visible(form.cons));
  EXPECT_FALSE(form.Consultar1->Visible);
  DeleteFile("C:\\WINDOWS\\orvalix.cfg");
  form.Timer1Timer(form.Timer1);
  EXPECT_FALSE(::Visible(form.cons));
}

// The window description writes the icon's stored values, then the component's loading ends: an update,
// a second add that the shell refuses, and the version call.
TEST_F(WindowStates, CreatingTheWindowEndsTheIconComponentsLoading) {
  NotificationArea().ClearCalls();
  CreateMainWindow();
  std::vector<std::pair<DWORD, BOOL>> calls;
  for (const TShellCall &call : NotificationArea().Calls()) calls.emplace_back(call.Message, call.Answer);
  EXPECT_EQ(calls, (std::vector<std::pair<DWORD, BOOL>>{{NIM_MODIFY, 0}, {NIM_MODIFY, 0}, {NIM_ADD, 1},
                                                         {NIM_MODIFY, 1}, {NIM_MODIFY, 1}, {NIM_ADD, 0},
                                                         {NIM_SETVERSION, 1}}));
  EXPECT_EQ(NotificationArea().Calls().back().Record.uVersion, 0u);
}

TEST_F(WindowStates, TheMenuHoldsItsFourItemsWithAbrirAsDefault) {
  TForm1 &form = Start();
  ASSERT_EQ(form.TrayIcon1->PopupMenu(), form.PopupMenu1);
  TMenuItem *items = form.PopupMenu1->Items();
  ASSERT_EQ(items->Count(), 4);
  const struct {
    const char *caption;
    bool isDefault, visible;
  } expected[] = {{"Abrir", true, true}, {"Consultar", false, false}, {"-", false, true}, {"Sair", false, true}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(items->Items(i)->Caption, expected[i].caption);
    EXPECT_EQ(items->Items(i)->Default, expected[i].isDefault) << i;
    EXPECT_EQ(items->Items(i)->Visible, expected[i].visible) << i;
  }
}

class CloseRequest : public WindowStates {};

TEST_F(CloseRequest, IsRefusedWhileADataUpdateFileIsWorkedThrough) {
  TForm1 &form = Start();
  form.ConnectDatabase();
  form.Panel1->show();
  form.Sair1Click(form.Sair1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].Text, "Você não pode fechar o sistema em processamento."_a);
  EXPECT_EQ(boxes.Calls()[0].Caption, "Orvalix");
  EXPECT_EQ(boxes.Calls()[0].Flags, MB_OK);
  EXPECT_TRUE(form.Visible());
  EXPECT_FALSE(Application->Terminated());
  EXPECT_TRUE(form.Database1->Connected());
}

TEST_F(CloseRequest, AnsweredNoKeepsEverythingAndYesDisconnectsAndEnds) {
  TForm1 &form = Start();
  form.ConnectDatabase();
  boxes.SetAnswer([](const TMessageBoxCall &) { return IDNO; });
  form.Button2->setEnabled(true);
  form.Button2->click();
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].Text, "NÃO É ACONSELHÁVEL QUE VOCÊ DESLIGUE O ORVALIX. \rDeseja continuar?"_a);
  EXPECT_EQ(boxes.Calls()[0].Caption, "A T E N Ç Ã O"_a);
  EXPECT_EQ(boxes.Calls()[0].Flags, MB_YESNO);
  EXPECT_FALSE(Application->Terminated());
  EXPECT_TRUE(form.Database1->Connected());
  EXPECT_TRUE(MarkerExists());

  boxes.SetAnswer([](const TMessageBoxCall &) { return IDYES; });
  form.Sair1Click(form.Sair1);
  EXPECT_EQ(boxes.Calls().size(), 2u);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(form.Database1->Connected());
  EXPECT_FALSE(MarkerExists());
  EXPECT_FALSE(form.Timer3->Enabled());
  EXPECT_FALSE(::Visible(form.Label2));
}

}  // namespace
