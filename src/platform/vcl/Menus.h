#pragma once
// Popup menus of the class library, shown as a real QMenu.

#include "platform/vcl/Classes.h"

#include <QPointer>
#include <vector>

#include <QMenu>

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent *AOwner);
  ~TMenuItem() override;

  AnsiString Caption;  // "-" makes a separator
  bool Default = false;
  bool Visible = true;
  bool Enabled = true;
  TNotifyEvent OnClick;

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem *Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  TMenuItem *Parent() const { return parent_; }
  void Add(TMenuItem *item);
  void Remove(TMenuItem *item);
  bool IsLine() const { return Caption == "-"; }
  // Runs OnClick as if the user had chosen the item.
  virtual void Click();

 private:
  std::vector<TMenuItem *> items_;
  TMenuItem *parent_ = nullptr;
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent *AOwner);
  ~TPopupMenu() override;

  TMenuItem *Items() const { return items_; }
  bool AutoPopup = true;
  // The component that opened the menu last.
  TComponent *PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent *component);

  // Shows the menu at screen coordinates; a chosen item's click runs from the event loop.
  virtual void Popup(int X, int Y);
  // The menu as shown last, and where (for tests).
  QMenu *Menu() const { return menu_; }
  int PopupCount() const { return popupCount_; }

 protected:
  void Notification(TComponent *AComponent, TOperation Operation) override;

 private:
  bool Contains(const TMenuItem *item) const;

  TMenuItem *items_;
  TComponent *popupComponent_ = nullptr;
  QPointer<QMenu> menu_;
  int popupCount_ = 0;
};
