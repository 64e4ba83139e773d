#include "platform/sys/Exceptions.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Menus.h"
#include "platform/win/Icons.h"

#include <QAction>
#include <QBuffer>
#include <gtest/gtest.h>

namespace {

QByteArray Png(QColor colour) {
  QImage image(8, 8, QImage::Format_ARGB32);
  image.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

TEST(TPopupMenu, ShowsTheVisibleItemsAndAChosenEntryClicksItsItem) {
  TComponent form(nullptr);
  auto *menu = new TPopupMenu(&form);
  std::vector<std::string> clicked;
  for (const char *caption : {"Abrir", "Consultar", "-", "Sair"}) {
    auto *item = new TMenuItem(&form);
    item->Caption = caption;
    item->OnClick = [&clicked, caption](TObject *) { clicked.push_back(caption); };
    menu->Items()->Add(item);
  }
  menu->Items()->Items(0)->Default = true;
  menu->Items()->Items(1)->Visible = false;
  menu->Popup(10, 20);
  ASSERT_NE(menu->Menu(), nullptr);
  QList<QAction *> actions = menu->Menu()->actions();
  ASSERT_EQ(actions.size(), 3);
  EXPECT_EQ(actions[0]->text(), "Abrir");
  EXPECT_TRUE(actions[0]->font().bold());
  EXPECT_EQ(menu->Menu()->defaultAction(), actions[0]);
  EXPECT_TRUE(actions[1]->isSeparator());
  actions[2]->trigger();
  EXPECT_EQ(clicked, (std::vector<std::string>{"Sair"}));

  menu->Items()->Items(3)->Enabled = false;
  menu->Items()->Items(3)->Click();  // a disabled item does nothing
  EXPECT_EQ(clicked.size(), 1u);
  // An item freed while the menu is open is not clicked.
  delete menu->Items()->Items(0);
  actions[0]->trigger();
  EXPECT_EQ(clicked.size(), 1u);
  menu->Menu()->hide();
  delete menu;  // its items go with it, and leave their owner
  EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(TMenuItem, ItemsOwnedByAFormAndHeldByAMenuAreFreedOnce) {
  auto *form = new TComponent(nullptr);
  auto *menu = new TPopupMenu(form);
  auto *item = new TMenuItem(form);
  auto *sub = new TMenuItem(form);
  menu->Items()->Add(item);
  item->Add(sub);
  EXPECT_EQ(sub->Parent(), item);
  delete form;  // the sanitizers catch a second free
}

TEST(TIcon, EmptyImageOrUnreadable) {
  TIcon icon;
  int changes = 0;
  icon.OnChange = [&](TObject *) { ++changes; };
  EXPECT_TRUE(icon.Empty());
  EXPECT_EQ(icon.Handle(), nullptr);
  icon.LoadFromData(Png(Qt::blue));
  HICON handle = icon.Handle();
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(icon.Handle(), handle);
  EXPECT_EQ(IconImage(handle).pixmap(8, 8).toImage().pixel(4, 4), QColor(Qt::blue).rgb());
  icon.LoadFromData("garbage");
  EXPECT_TRUE(IconImage(handle).isNull());  // the old handle went with the old image
  EXPECT_THROW(icon.Handle(), EReadError);
  EXPECT_FALSE(icon.Empty());

  TIcon copy;
  copy.Assign(&icon);  // copies the stored image, unreadable as it is
  EXPECT_THROW(copy.Handle(), EReadError);
  icon.SetHandle(LoadIconA(nullptr, IDI_WINLOGO));
  copy.Assign(&icon);
  EXPECT_NE(copy.Handle(), nullptr);
  EXPECT_NE(copy.Handle(), icon.Handle());
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(LoadIconA(nullptr, 12345), nullptr);
}

TEST(TCustomImageList, GetIconPutsTheImageOrEmptiesTheIconOutsideTheList) {
  TImageList list(nullptr);
  QPixmap green(8, 8);
  green.fill(Qt::green);
  list.Add(QIcon(green));
  EXPECT_EQ(list.Count(), 1);
  TIcon icon;
  list.GetIcon(0, &icon);
  EXPECT_FALSE(icon.Empty());
  for (int index : {-1, 1, 100}) {
    icon.SetImage(QIcon(green));
    list.GetIcon(index, &icon);
    EXPECT_TRUE(icon.Empty()) << index;
  }
}

}  // namespace
