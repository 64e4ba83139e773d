#pragma once
// The class library's navigator: a row of buttons that move through, edit and save the records of its
// data source's dataset, each enabled only when its action can be taken.

#include "platform/db/DB.h"
#include "platform/sys/StringList.h"

#include <QToolButton>
#include <QWidget>
#include <array>
#include <initializer_list>

enum TNavigateBtn { nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh };

class TDBNavigator : public QWidget, public TObject {
 public:
  explicit TDBNavigator(QWidget *parent);
  ~TDBNavigator() override;

  TDataSource *DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource *source) { link_.SetDataSource(source); }
  void SetVisibleButtons(std::initializer_list<TNavigateBtn> buttons);
  // One hint per button, in the order of TNavigateBtn.
  void SetHints(const TStringList &hints);
  void SetShowHint(bool show);
  bool ConfirmDelete = true;

  QToolButton *Button(TNavigateBtn button) const { return buttons_[button]; }
  // What a press of the button does.
  void BtnClick(TNavigateBtn button);

 protected:
  void resizeEvent(QResizeEvent *event) override;

 private:
  void UpdateButtons();
  void UpdateHints();
  TDataLink link_;
  std::array<QToolButton *, 10> buttons_{};
  TStringList hints_;
  bool showHint_ = false;
};
