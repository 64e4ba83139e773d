// While a box of the program waits, the icon takes its clicks and its menu acts, on an XEmbed tray and in
// the corner window; the box still blocks the program's other windows. Real boxes, clicks through the
// window system (where Qt blocks what a modal window blocks).

#include "core/UPRINC.h"
#include "platform/files/FileSystem.h"
#include "platform/vcl/Dialogs.h"
#include "platform/win/ShellApi.h"
#include "support/Database.h"
#include "support/TempDrive.h"
#include "support/XEmbedTray.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

void Click(QWidget *widget, Qt::MouseButton button, QPoint at = {}) {
  if (at.isNull()) at = widget->rect().center();
  QTest::mouseClick(widget->window()->windowHandle(), button, {}, widget->mapTo(widget->window(), at));
}

QMessageBox *Box(const QString &text) {
  auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
  return box && box->text().startsWith(text) ? box : nullptr;
}

class IconWhileABoxWaits : public ::testing::TestWithParam<bool> {  // on an XEmbed tray, else the corner
 protected:
  void SetUp() override {
    if (GetParam()) {
      const QString why = tray.Start();
      if (!why.isEmpty()) GTEST_SKIP() << why.toStdString() << " (ctest runs it under xvfb-run)";
    }
    NotificationArea().SetTrayAvailableForTesting(GetParam() ? std::nullopt : std::optional(false));
    CreateDir("C:\\WINDOWS");
    testdb::LinkOdbcDriver(drive);
  }
  void TearDown() override {
    delete Form1;
    Form1 = nullptr;
    Application->ResetForTesting();
    NotificationArea().SetTrayAvailableForTesting(std::nullopt);
  }

  // The program in the tray; the user's steps run while its batch waits in a box. Gives the box's answer.
  static int InTheTrayWhileABoxWaits(const std::function<void(TForm1 &)> &steps) {
    Application->ResetForTesting();
    Application->Initialize();
    Application->CreateForm(Form1);
    Form1->Show();
    Form1->Timer1Timer(Form1->Timer1);
    Form1->Timer2->SetEnabled(false);  // the batch's own tick is the one waiting in the box
    QTimer::singleShot(0, [&] {
      EXPECT_TRUE(QTest::qWaitFor([] { return Box("Comando") != nullptr; }, 5000));
      steps(*Form1);
    });
    return ShowMessageBox("Comando não reconhecido pelo sistema, consulte seu programador."_a, "Orvalix"_a, MB_OK);
  }
  // A right click on the icon, then a click on the menu's entry; false when no menu came.
  static bool Choose(const QString &entry) {
    const NOTIFYICONDATAA &record = Form1->TrayIcon1->TrayRecord();
    QWidget *icon = nullptr;
    QMenu *menu = nullptr;
    if (!QTest::qWaitFor([&] {
          const TCornerArea *corner = NotificationArea().CornerWindow();
          icon = GetParam() ? XEmbedTray::IconWindow() : corner ? corner->IconWidget(record.hWnd, record.uID) : nullptr;
          return icon != nullptr;
        }, 5000))
      return false;
    Click(icon, Qt::RightButton);
    if (!QTest::qWaitFor([&] { return (menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())); }, 3000)) {
      Box("Comando")->button(QMessageBox::Ok)->click();  // the test ends
      return false;
    }
    for (QAction *action : menu->actions())
      if (action->text() == entry) Click(menu, Qt::LeftButton, menu->actionGeometry(action).center());
    return true;
  }

  XEmbedTray tray;
  TempDrive drive;
};

TEST_P(IconWhileABoxWaits, AbrirRestoresTheMainWindowWhichTheBoxStillBlocks) {
  const int answer = InTheTrayWhileABoxWaits([](TForm1 &form) {
    if (!Choose("Abrir")) return ADD_FAILURE() << "no menu";
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.Visible(); }, 3000));
    Click(form.Button1, Qt::LeftButton);  // "&Minimizar"
    EXPECT_FALSE(form.Timer1->Enabled());
    Box("Comando")->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(answer, IDOK);
  Click(Form1->Button1, Qt::LeftButton);
  EXPECT_TRUE(Form1->Timer1->Enabled());
}

TEST_P(IconWhileABoxWaits, SairAsksAndEndsTheBoxBeneathAsAfterOk) {
  QTimer sim;  // the user's "Sim" to the exit question, which waits inside the menu's click
  QObject::connect(&sim, &QTimer::timeout, [] {
    if (QMessageBox *question = Box("NÃO É ACONSELHÁVEL")) question->button(QMessageBox::Yes)->click();
  });
  sim.start(10);
  EXPECT_EQ(InTheTrayWhileABoxWaits([](TForm1 &) { EXPECT_TRUE(Choose("Sair")) << "no menu"; }), IDOK);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Trays, IconWhileABoxWaits, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "OnAnXEmbedTray" : "InTheCornerWindow"; });

}  // namespace
