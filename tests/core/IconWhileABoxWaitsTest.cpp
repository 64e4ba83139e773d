// While a box of the program waits, the icon still takes its clicks and its menu acts, on an XEmbed tray
// and in the corner window; the box still blocks the program's other windows. Real boxes, real clicks.

#include "core/UPRINC.h"
#include "platform/files/FileSystem.h"
#include "platform/vcl/Dialogs.h"
#include "platform/win/ShellApi.h"
#include "platform/win/WinInet.h"
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

struct Where {
  const char *name;
  bool xembed;  // else the corner window
};

void PrintTo(const Where &where, std::ostream *os) { *os << where.name; }

// A click as the window system delivers it: through the widget's window, where Qt blocks what a modal
// window blocks (a click sent to the widget itself would pass).
void Click(QWidget *widget, Qt::MouseButton button, QPoint at = {}) {
  if (at.isNull()) at = widget->rect().center();
  QTest::mouseClick(widget->window()->windowHandle(), button, {}, widget->mapTo(widget->window(), at));
}

QMessageBox *Box(const QString &text) {
  auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
  return box && box->text().startsWith(text) ? box : nullptr;
}

class IconWhileABoxWaits : public ::testing::TestWithParam<Where> {
 protected:
  void SetUp() override {
    if (GetParam().xembed) {
      const QString why = tray.Start();
      if (!why.isEmpty()) GTEST_SKIP() << why.toStdString() << " (ctest runs it under xvfb-run)";
      NotificationArea().SetTrayAvailableForTesting(std::nullopt);
    } else {
      NotificationArea().SetTrayAvailableForTesting(false);
    }
    CreateDir("C:\\WINDOWS");
    testdb::LinkOdbcDriver(drive);
    SetConnectedStateForTesting(TConnectedState{1, INTERNET_CONNECTION_LAN});
  }
  void TearDown() override {
    delete Form1;
    Form1 = nullptr;
    Application->ResetForTesting();
    SetConnectedStateForTesting(std::nullopt);
    NotificationArea().SetTrayAvailableForTesting(std::nullopt);
  }

  // The program in the tray; then, while its batch waits in the box of a command it did not recognise, the
  // user's steps. Gives the box's answer.
  int InTheTrayWhileABoxWaits(const std::function<void(TForm1 &)> &steps) {
    Application->ResetForTesting();
    Application->Initialize();
    Application->Title = "Orvalix Express";
    Application->CreateForm(Form1);
    TForm1 &form = *Form1;
    form.Show();
    form.Timer1Timer(form.Timer1);
    form.Timer2->SetEnabled(false);  // the batch's own tick is the one waiting in the box
    QTimer::singleShot(0, [&] {
      EXPECT_TRUE(QTest::qWaitFor([] { return Box("Comando") != nullptr; }, 5000));
      steps(form);
    });
    return ShowMessageBox("Comando não reconhecido pelo sistema, consulte seu programador."_a, "Orvalix"_a, MB_OK);
  }
  static QWidget *Icon() {
    if (GetParam().xembed) return XEmbedTray::IconWindow();
    const TCornerArea *corner = NotificationArea().CornerWindow();
    const NOTIFYICONDATAA &record = Form1->TrayIcon1->TrayRecord();
    return corner ? corner->IconWidget(record.hWnd, record.uID) : nullptr;
  }
  // A right click on the icon, then a click on the menu's entry.
  static bool Choose(const QString &entry) {
    QWidget *icon = nullptr;
    if (!QTest::qWaitFor([&] { return (icon = Icon()); }, 5000)) return false;
    Click(icon, Qt::RightButton);
    QMenu *menu = nullptr;
    if (!QTest::qWaitFor([&] { return (menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())); }, 3000))
      return false;
    for (QAction *action : menu->actions())
      if (action->text() == entry) Click(menu, Qt::LeftButton, menu->actionGeometry(action).center());
    return true;
  }

  XEmbedTray tray;
  TempDrive drive;
};

TEST_P(IconWhileABoxWaits, AbrirRestoresTheMainWindowWhichTheBoxStillBlocks) {
  const int answer = InTheTrayWhileABoxWaits([](TForm1 &form) {
    if (!Choose("Abrir")) {
      ADD_FAILURE() << "no menu";
      return Box("Comando")->button(QMessageBox::Ok)->click();
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.Visible(); }, 3000));
    Click(form.Button1, Qt::LeftButton);  // "&Minimizar"
    EXPECT_FALSE(form.Timer1->Enabled());
    ASSERT_NE(Box("Comando"), nullptr);
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
  const int answer = InTheTrayWhileABoxWaits([](TForm1 &) {
    if (!Choose("Sair")) {
      ADD_FAILURE() << "no menu";
      Box("Comando")->button(QMessageBox::Ok)->click();
    }
  });
  EXPECT_EQ(answer, IDOK);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Trays, IconWhileABoxWaits,
                         ::testing::Values(Where{"InTheCornerWindow", false}, Where{"OnAnXEmbedTray", true}),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
