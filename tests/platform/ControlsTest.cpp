// Anchors, design fonts and buttons of the class library's controls.

#include "platform/sys/Exceptions.h"
#include "platform/vcl/Anchors.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Fonts.h"
#include "platform/vcl/Forms.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>

namespace {

struct AnchorCase {
  const char *name;
  TAnchors anchors;
  QRect after;  // of a control at (10, 20), 100 x 50 in 300 x 200, after the parent grows to 400 x 260
};

TEST(TAnchors, ControlsKeepTheirDistanceToTheAnchoredEdges) {
  const AnchorCase cases[] = {
      {"left and top (the default)", {akLeft, akTop}, {10, 20, 100, 50}},
      {"all four sides", {akLeft, akTop, akRight, akBottom}, {10, 20, 200, 110}},
      {"right and bottom", {akRight, akBottom}, {110, 80, 100, 50}},
      {"left, right and bottom", {akLeft, akRight, akBottom}, {10, 80, 200, 50}},
      {"none: the centre", {}, {60, 50, 100, 50}},
  };
  for (const AnchorCase &c : cases) {
    QWidget parent;
    parent.resize(300, 200);
    auto *control = new QWidget(&parent);
    control->setGeometry(10, 20, 100, 50);
    SetAnchors(control, c.anchors);
    EXPECT_EQ(Anchors(control), c.anchors) << c.name;
    parent.show();  // a hidden widget hears of its resize when shown
    parent.resize(400, 260);
    EXPECT_EQ(control->geometry(), c.after) << c.name;
    parent.resize(300, 200);
    EXPECT_EQ(control->geometry(), QRect(10, 20, 100, 50)) << c.name << ": back again";
  }
}

TEST(TAnchors, SettingThemAgainReplacesTheOldOnes) {
  QWidget parent;
  parent.resize(300, 200);
  auto *control = new QWidget(&parent);
  control->setGeometry(10, 20, 100, 50);
  SetAnchors(control, {akRight});
  SetAnchors(control, {akLeft, akTop});
  parent.show();
  parent.resize(400, 200);
  EXPECT_EQ(control->geometry(), QRect(10, 20, 100, 50));
}

TEST(DesignFont, AFamilyMissingHereIsReplacedByAnInstalledLookAlike) {
  for (const char *family : {"Verdana", "Arial", "MS Sans Serif", "Courier New", "Times New Roman"}) {
    const QString installed = InstalledFamily(family);
    EXPECT_TRUE(QFontDatabase::hasFamily(installed)) << family << " -> " << installed.toStdString();
    if (QFontDatabase::hasFamily(family)) {
      EXPECT_EQ(installed, family);
    }
  }
  if (!QFontDatabase::hasFamily("Verdana") && QFontDatabase::hasFamily("DejaVu Sans")) {
    EXPECT_EQ(InstalledFamily("Verdana"), "DejaVu Sans");
  }
  EXPECT_EQ(InstalledFamily("No Such Family 42"), "No Such Family 42");  // left to the font system

  const QFont heading = DesignFont("Verdana", 29, true);
  EXPECT_EQ(heading.pixelSize(), 29);
  EXPECT_TRUE(heading.bold());
  EXPECT_EQ(QFontInfo(heading).family(), InstalledFamily("Verdana"));
  // Documents that name a missing family get the same match.
  EXPECT_EQ(QFontInfo(QFont("Verdana")).family(), InstalledFamily("Verdana"));
}

TEST(TBitBtn, TheHintIsATooltipOnlyWithShowHintAndClickErrorsGoToTheDefaultBox) {
  TBitBtn button(nullptr);
  button.SetHint("Fechar janela.");
  EXPECT_TRUE(button.toolTip().isEmpty());
  button.SetShowHint(true);
  EXPECT_EQ(button.toolTip(), "Fechar janela.");

  MessageBoxSeam seam([](const TMessageBoxCall &) { return IDOK; });
  int clicks = 0;
  button.OnClick = [&](TObject *sender) {
    EXPECT_EQ(sender, &button);
    ++clicks;
    throw EFCreateError("Cannot create file \"TEMP.RTF\". Is a directory");
  };
  button.Click();
  EXPECT_EQ(clicks, 1);
  ASSERT_EQ(seam.Calls().size(), 1u);
  EXPECT_EQ(seam.Calls()[0].Text, "Cannot create file \"TEMP.RTF\". Is a directory.");
}

}  // namespace
