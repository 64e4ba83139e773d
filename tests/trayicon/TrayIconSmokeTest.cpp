#include "trayicon/TrayIcon.h"

#include "platform/vcl/Forms.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
TEST(TTrayIconSmoke, ShowsItsIconAndTellsAClickFromADoubleClick) {
  NotificationArea().ClearCalls();
  SetDoubleClickTimeForTesting(30);
  TForm form(Application);
  Application->MainForm = &form;
  auto *tray = new TTrayIcon(&form);
  TPopupMenu menu(&form);
  auto *open = new TMenuItem(&form);
  open->Caption = "Abrir";
  open->Default = true;
  menu.Items()->Add(open);
  std::vector<std::string> seen;
  open->OnClick = [&](TObject *) { seen.push_back("Abrir"); };
  tray->SetHint("Orvalix Express");
  tray->SetIconVisible(true);
  tray->SetPopupMenu(&menu);
  tray->OnDblClick = [&](TObject *) { seen.push_back("dbl"); };
  tray->OnClick = [&](TObject *) { seen.push_back("click"); };
  const auto &icons = NotificationArea().Icons();
  ASSERT_EQ(icons.size(), 1u);
  EXPECT_EQ(icons[0]->Tip, "Orvalix Express");
  const HWND w = tray->TrayRecord().hWnd;
  const UINT id = tray->TrayRecord().uID;
  for (LPARAM m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    EXPECT_TRUE(NotificationArea().InjectCallback(w, id, m));
  QTest::qWait(80);
  EXPECT_EQ(seen, (std::vector<std::string>{"dbl", "Abrir"}));
  seen.clear();
  NotificationArea().InjectCallback(w, id, WM_LBUTTONDOWN);
  NotificationArea().InjectCallback(w, id, WM_LBUTTONUP);
  EXPECT_TRUE(seen.empty());
  QTest::qWait(80);
  EXPECT_EQ(seen, (std::vector<std::string>{"click"}));
  tray->HideMainForm();
  EXPECT_FALSE(form.Visible());
  tray->RestoreMainForm();
  EXPECT_TRUE(form.Visible());
  Application->ResetForTesting();
}
}  // namespace
