// The component's properties, the record it sends, and which shell operation each write causes.

#include "TrayTestSupport.h"

#include "platform/sys/Exceptions.h"

#include <QBuffer>
#include <QPixmap>
#include <cstring>

namespace {

QIcon Solid(QRgb colour) {
  QPixmap pixmap(16, 16);
  pixmap.fill(QColor(colour));
  return QIcon(pixmap);
}
QRgb ColourOf(const QIcon &icon) { return icon.isNull() ? 0u : icon.pixmap(16, 16).toImage().pixel(8, 8); }

using TrayComponent = TrayTest;

TEST_F(TrayComponent, StartsHiddenWithItsRecordReadyAndTalksToNoShell) {
  TTestTrayIcon tray(nullptr);
  EXPECT_FALSE(tray.IconVisible());
  EXPECT_TRUE(tray.Icon()->Empty());
  const NOTIFYICONDATAA &record = tray.TrayRecord();
  EXPECT_EQ(record.cbSize, 488u);
  EXPECT_EQ(record.hWnd, SharedTrayHandler->NotifyWindow());
  EXPECT_EQ(record.uFlags, 7u);
  EXPECT_EQ(record.uCallbackMessage, 0x800u);
  EXPECT_EQ(record.uVersion, 0u);
  EXPECT_TRUE(ShellLog().empty());
}

TEST_F(TrayComponent, TheTipHoldsAtMost127CharactersAndANul) {
  struct Case {
    AnsiString hint;
    bool showHint;
    AnsiString tip;
  };
  const AnsiString a127(127, 'a');
  const Case cases[] = {
      {"Orvalix Express", true, "Orvalix Express"},
      {a127, true, a127},
      {a127 + "b", true, a127},
      {AnsiString(300, 'c'), true, AnsiString(127, 'c')},
      {AnsiString("ab\0cd", 5), true, "ab"},
      {"Atenção"_a, true, "Atenção"_a},
      {"", true, ""},
      {"Orvalix Express", false, ""},
  };
  TTrayIcon tray(nullptr);
  tray.SetIconVisible(true);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.hint.size());
    tray.SetHint("previous text, longer than the next");  // the record keeps nothing of it
    tray.SetShowHint(c.showHint);
    NotificationArea().ClearCalls();
    tray.SetHint(c.hint);
    EXPECT_EQ(ShellLog(), (Log{"MODIFY 1"}));
    EXPECT_EQ(ShownIcon(tray)->Tip, c.tip);
    const char *tip = tray.TrayRecord().szTip;
    EXPECT_EQ(AnsiString(tip, strnlen(tip, 128)), c.tip);
    if (c.tip.empty()) {
      for (int i = 0; i < 128; ++i) EXPECT_EQ(tip[i], 0) << i;
    }
    EXPECT_EQ(tip[127], 0);
  }
  tray.SetShowHint(true);  // the tip comes back at once
  EXPECT_EQ(ShownIcon(tray)->Tip, "Orvalix Express");
}

TEST_F(TrayComponent, IconVisibleRecordsTheRequestAndTheShellRefusesRepeats) {
  TTrayIcon tray(nullptr);
  tray.SetIconVisible(false);  // not in the area: refused, nothing else
  EXPECT_FALSE(tray.IconVisible());
  tray.SetIconVisible(true);
  tray.SetIconVisible(true);
  EXPECT_TRUE(tray.IconVisible());
  EXPECT_EQ(NotificationArea().Icons().size(), 1u);
  tray.SetIconVisible(false);
  EXPECT_FALSE(tray.IconVisible());
  EXPECT_EQ(NotificationArea().Icons().size(), 0u);
  EXPECT_EQ(ShellLog(), (Log{"DELETE 0", "ADD 1", "ADD 0", "DELETE 1"}));
}

TEST_F(TrayComponent, IconIndexIsBoundedFromAboveByTheList) {
  TImageList list(nullptr);
  TImageList empty(nullptr);
  for (QRgb colour : {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)}) list.Add(Solid(colour));
  struct Case {
    TCustomImageList *list;
    int written;
    int stored;
    QRgb shown;  // 0: an empty icon
  };
  const Case cases[] = {
      {&list, 7, 2, qRgb(0, 0, 255)},   {&list, 3, 2, qRgb(0, 0, 255)}, {&list, 1, 1, qRgb(0, 255, 0)},
      {&list, 0, 0, qRgb(255, 0, 0)},   {&list, -1, -1, 0},              {&list, -50, -50, 0},
      {&empty, 0, -1, 0},               {&empty, 4, -1, 0},              {nullptr, 5, 0, qRgb(0, 255, 0)},
      {nullptr, -3, 0, qRgb(0, 255, 0)},
  };
  TTrayIcon tray(nullptr);
  tray.SetIconVisible(true);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.written);
    if (c.list) {
      tray.SetIconList(c.list);
    } else {
      tray.SetIconList(&list);
      tray.SetIconIndex(1);
      tray.SetIconList(nullptr);  // the icon keeps its last image
    }
    NotificationArea().ClearCalls();
    tray.SetIconIndex(c.written);
    EXPECT_EQ(tray.IconIndex(), c.stored);
    EXPECT_EQ(ColourOf(tray.Icon()->Image()), c.shown);
    EXPECT_EQ(ColourOf(ShownIcon(tray)->Image), c.shown);
    // With a list: the icon's change updates, then the write; without: the write only.
    EXPECT_EQ(ShellLog().size(), c.list ? 2u : 1u);
  }
}

TEST_F(TrayComponent, WritingIconCopiesTheImageWithOneUpdate) {
  TTrayIcon tray(nullptr);
  tray.SetIconVisible(true);
  TIcon source;
  source.SetImage(Solid(qRgb(1, 2, 3)));
  NotificationArea().ClearCalls();
  tray.SetIcon(&source);
  EXPECT_EQ(ShellLog(), (Log{"MODIFY 1"}));
  EXPECT_EQ(ColourOf(ShownIcon(tray)->Image), qRgb(1, 2, 3));
  source.SetImage(Solid(qRgb(9, 9, 9)));  // a copy, not a reference
  EXPECT_EQ(ColourOf(tray.Icon()->Image()), qRgb(1, 2, 3));
  NotificationArea().ClearCalls();
  tray.Icon()->SetImage(Solid(qRgb(4, 5, 6)));  // a change of the owned icon updates the tray
  EXPECT_EQ(ShellLog(), (Log{"MODIFY 1"}));
  EXPECT_EQ(ColourOf(ShownIcon(tray)->Image), qRgb(4, 5, 6));
}

TEST_F(TrayComponent, AnUnreadableImageSendsNoIcon) {
  TTrayIcon tray(nullptr);
  tray.SetIconVisible(true);
  tray.Icon()->SetImage(Solid(qRgb(4, 5, 6)));
  EXPECT_NE(tray.TrayRecord().hIcon, nullptr);
  NotificationArea().ClearCalls();
  tray.Icon()->LoadFromData("not an image");
  EXPECT_THROW(tray.Icon()->Handle(), EReadError);
  EXPECT_EQ(ShellLog(), (Log{"MODIFY 1"}));
  EXPECT_EQ(tray.TrayRecord().hIcon, nullptr);
  EXPECT_TRUE(ShownIcon(tray)->Image.isNull());
}

TEST_F(TrayComponent, CyclingNeedsAnIntervalAndAnIntervalWriteRestartsAtTheFirstImage) {
  TImageList list(nullptr);
  for (QRgb colour : {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)}) list.Add(Solid(colour));
  TTrayIcon tray(nullptr);
  tray.SetIconList(&list);
  int cycles = 0;
  tray.OnCycle = [&](TObject *, int) { ++cycles; };
  tray.SetCycleIcons(true);
  Wait(40);
  EXPECT_EQ(cycles, 0);  // CycleInterval 0 cannot run
  tray.SetCycleInterval(20);
  for (int i = 0; i < 60 && cycles < 2; ++i) Wait(5);
  EXPECT_EQ(cycles, 2);
  EXPECT_EQ(tray.IconIndex(), 2);
  tray.SetCycleInterval(400);  // restarts at index 0 with the new period
  EXPECT_EQ(tray.IconIndex(), 0);
  cycles = 0;
  Wait(60);
  EXPECT_EQ(cycles, 0);
  tray.SetCycleIcons(false);
  tray.SetCycleInterval(10);  // not cycling: only the period is stored
  Wait(40);
  EXPECT_EQ(cycles, 0);
}

TEST_F(TrayComponent, RemovingTheListOrTheMenuLeavesNoReference) {
  for (bool sameOwner : {true, false}) {
    SCOPED_TRACE(sameOwner);
    TComponent owner(nullptr);
    auto *tray = new TTrayIcon(&owner);
    auto *list = new TImageList(sameOwner ? &owner : nullptr);
    auto *menu = new TPopupMenu(sameOwner ? &owner : nullptr);
    list->Add(Solid(qRgb(10, 20, 30)));
    list->Add(Solid(qRgb(40, 50, 60)));
    tray->SetIconList(list);
    tray->SetIconIndex(1);
    tray->SetPopupMenu(menu);
    delete list;
    EXPECT_EQ(tray->IconList(), nullptr);
    EXPECT_EQ(tray->IconIndex(), 0);
    EXPECT_EQ(ColourOf(tray->Icon()->Image()), qRgb(40, 50, 60));  // keeps its last image
    delete menu;
    EXPECT_EQ(tray->PopupMenu(), nullptr);
    tray->SetIconVisible(true);
    Callback(*tray, WM_RBUTTONDOWN);  // no menu left to show
    Callback(*tray, WM_LBUTTONDBLCLK);
  }
}

TEST_F(TrayComponent, AMenuThatOutlivesTheComponentForgetsIt) {
  TPopupMenu menu(nullptr);
  auto *tray = new TTrayIcon(nullptr);
  tray->SetIconVisible(true);
  tray->SetPopupMenu(&menu);
  Callback(*tray, WM_RBUTTONDOWN);
  EXPECT_EQ(menu.PopupComponent(), tray);
  delete tray;
  EXPECT_EQ(menu.PopupComponent(), nullptr);
  if (menu.Menu()) menu.Menu()->hide();
}

TEST_F(TrayComponent, DestroyingTheComponentTakesItsIconOut) {
  auto *tray = new TTrayIcon(nullptr);
  tray->SetHint("Orvalix Express");
  tray->SetIconVisible(true);
  tray->SetWantEnterExitEvents(true);
  NotificationArea().ClearCalls();
  const HWND window = tray->TrayRecord().hWnd;
  delete tray;
  EXPECT_EQ(ShellLog(), (Log{"DELETE 1"}));
  EXPECT_TRUE(NotificationArea().Icons().empty());
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(SharedTimerHandler, nullptr);  // its three timers went too
}

TEST_F(TrayComponent, LoadingAddsTheIconOnceAndSendsTheStoredStyle) {
  // The values of the main window's description, in their order, then Loaded.
  TForm form(nullptr);
  auto *tray = new TTrayIcon(&form);
  TPopupMenu menu(&form);
  tray->BeginLoading();
  tray->SetCycleInterval(0);
  tray->SetHint("Orvalix Express");
  TIcon image;
  image.SetImage(Solid(qRgb(0, 128, 0)));
  tray->SetIcon(&image);
  tray->SetIconVisible(true);
  tray->SetIconIndex(0);
  tray->SetPopupMenu(&menu);
  EXPECT_EQ(ShellLog(), (Log{"MODIFY 0", "MODIFY 0", "ADD 1", "MODIFY 1"}));
  NotificationArea().ClearCalls();
  tray->EndLoading();
  EXPECT_EQ(ShellLog(), (Log{"MODIFY 1", "ADD 0", "SETVERSION 1"}));
  EXPECT_EQ(NotificationArea().Calls().back().Record.uVersion, 0u);
  ASSERT_EQ(NotificationArea().Icons().size(), 1u);
  EXPECT_EQ(ShownIcon(*tray)->Tip, "Orvalix Express");
  EXPECT_EQ(ColourOf(ShownIcon(*tray)->Image), qRgb(0, 128, 0));
  EXPECT_TRUE(Application->ShowMainForm);  // no OnStartup: the main form is shown as usual
}

TEST_F(TrayComponent, AnOnStartupThatSaysNoKeepsTheMainFormHidden) {
  TForm form(Application);
  Application->MainForm = &form;
  form.Show();
  auto *tray = new TTrayIcon(&form);
  int calls = 0;
  tray->OnStartup = [&](TObject *sender, bool &show) {
    EXPECT_EQ(sender, tray);
    EXPECT_TRUE(show);
    ++calls;
    show = false;
  };
  tray->BeginLoading();
  tray->EndLoading();
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(Application->ShowMainForm);
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(IsWindowVisible(Application->Handle()));

  // Without a windowed owner there is no start-up choice.
  Application->ShowMainForm = true;
  TTrayIcon loose(nullptr);
  loose.OnStartup = tray->OnStartup;
  loose.BeginLoading();
  loose.EndLoading();
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(Application->ShowMainForm);
}

TEST_F(TrayComponent, InDesignModeOnlyThePreviewReachesTheShell) {
  TComponent designer(nullptr);
  designer.SetDesigningForTesting(true);
  auto *tray = new TTrayIcon(&designer);
  EXPECT_TRUE(tray->Designing());
  // Writing DesignPreview false at construction loaded the stock logo; no add or delete came through.
  EXPECT_FALSE(tray->Icon()->Empty());
  EXPECT_EQ(ShellLog(), (Log{"MODIFY 0", "DELETE 0"}));
  NotificationArea().ClearCalls();
  tray->SetHint("design");
  tray->SetIconVisible(true);  // only the flag
  EXPECT_TRUE(tray->IconVisible());
  EXPECT_TRUE(ShellLog().empty());
  tray->SetDesignPreview(true);
  EXPECT_EQ(ShellLog(), (Log{"ADD 1"}));
  EXPECT_TRUE(tray->IconVisible());
  NotificationArea().ClearCalls();
  tray->SetHint("preview");  // updates reach the shell while previewing
  EXPECT_EQ(ShellLog(), (Log{"MODIFY 1"}));
  EXPECT_EQ(ShownIcon(*tray)->Tip, "preview");
  tray->SetIconVisible(false);  // only the flag: the preview stays
  EXPECT_FALSE(tray->IconVisible());
  EXPECT_EQ(NotificationArea().Icons().size(), 1u);
  tray->SetDesignPreview(false);
  EXPECT_TRUE(NotificationArea().Icons().empty());
  EXPECT_FALSE(tray->IconVisible());
  // No hook on the application's window in design mode: a new taskbar brings nothing back.
  tray->SetIconVisible(true);
  NotificationArea().ClearCalls();
  NotificationArea().RecreateTaskbar();
  EXPECT_TRUE(ShellLog().empty());
  delete tray;
}

}  // namespace
