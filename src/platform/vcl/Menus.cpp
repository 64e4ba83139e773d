#include "platform/vcl/Menus.h"

#include "platform/vcl/Events.h"
#include "platform/vcl/Forms.h"

#include <QAction>
#include <QFont>
#include <QMenu>
#include <algorithm>

// ---------------------------------------------------------------- item

TMenuItem::TMenuItem(TComponent *AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  while (!items_.empty()) delete items_.back();  // each removes itself
  if (parent_) parent_->Remove(this);
}

void TMenuItem::Add(TMenuItem *item) {
  if (!item || item == this) return;
  if (item->parent_) item->parent_->Remove(item);
  items_.push_back(item);
  item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem *item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
}

void TMenuItem::Click() {
  if (Enabled) CallEvent(OnClick, this);
}

// ---------------------------------------------------------------- popup menu

TPopupMenu::TPopupMenu(TComponent *AOwner) : TComponent(AOwner), items_(new TMenuItem(nullptr)) {}

TPopupMenu::~TPopupMenu() {
  delete menu_.data();
  delete items_;
}

void TPopupMenu::SetPopupComponent(TComponent *component) {
  if (popupComponent_ && popupComponent_ != component) RemoveFreeNotification(popupComponent_);
  popupComponent_ = component;
  if (component) FreeNotification(component);
}

void TPopupMenu::Notification(TComponent *AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == popupComponent_) popupComponent_ = nullptr;
}

namespace {
// Searched from the root by address only: the item may be gone.
bool Holds(const TMenuItem *parent, const TMenuItem *item) {
  for (int i = 0; i < parent->Count(); ++i)
    if (parent->Items(i) == item || Holds(parent->Items(i), item)) return true;
  return false;
}
}  // namespace

bool TPopupMenu::Contains(const TMenuItem *item) const { return Holds(items_, item); }

namespace {
void Fill(QMenu *menu, TMenuItem *parent, const std::function<void(TMenuItem *)> &chosen) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem *item = parent->Items(i);
    if (!item->Visible) continue;
    if (item->IsLine()) {
      menu->addSeparator();
      continue;
    }
    const QString text = ToQString(item->Caption);
    if (item->Count() > 0) {
      QMenu *sub = menu->addMenu(text);
      sub->setEnabled(item->Enabled);
      Fill(sub, item, chosen);
      continue;
    }
    QAction *action = menu->addAction(text);
    action->setEnabled(item->Enabled);
    if (item->Default) {
      QFont font = action->font();
      font.setBold(true);
      action->setFont(font);
      if (!menu->defaultAction()) menu->setDefaultAction(action);
    }
    QObject::connect(action, &QAction::triggered, [item, chosen] { chosen(item); });
  }
}
}  // namespace

void TPopupMenu::Popup(int X, int Y) {
  if (!menu_) menu_ = new QMenu;
  menu_->clear();
  for (QMenu *sub : menu_->findChildren<QMenu *>(Qt::FindDirectChildrenOnly)) sub->deleteLater();
  Fill(menu_, items_, [this](TMenuItem *item) {
    // The item may have gone while the menu was open.
    if (Contains(item)) Guarded([item] { item->Click(); });
  });
  ++popupCount_;
  menu_->popup(QPoint(X, Y));
}
