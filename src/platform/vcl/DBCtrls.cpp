#include "platform/vcl/DBCtrls.h"

#include "platform/vcl/DBGrids.h"
#include "platform/vcl/Forms.h"

namespace {
// The class library's pictures: first, prior, next, last, insert, delete, edit, post, cancel, refresh.
const char *const kGlyphs[] = {"|\u25c2", "\u25c2", "\u25b8", "\u25b8|", "+", "\u2212", "\u25b4", "\u2713", "\u2715", "\u21bb"};
}  // namespace

TDBNavigator::TDBNavigator(QWidget *parent)
    : QWidget(parent), link_([this](TDataEvent) { UpdateButtons(); }) {
  setFocusPolicy(Qt::NoFocus);
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
    auto *button = new QToolButton(this);
    button->setText(QString::fromUtf8(kGlyphs[i]));
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QToolButton::clicked, [this, i] { Guarded([this, i] { BtnClick(TNavigateBtn(i)); }); });
    buttons_[static_cast<std::size_t>(i)] = button;
  }
  UpdateButtons();
}

TDBNavigator::~TDBNavigator() { link_.SetDataSource(nullptr); }

void TDBNavigator::SetVisibleButtons(std::initializer_list<TNavigateBtn> visible) {
  for (QToolButton *button : buttons_) button->hide();
  for (TNavigateBtn button : visible) buttons_[button]->show();
  resizeEvent(nullptr);
}

void TDBNavigator::SetHints(const TStringList &hints) {
  hints_ = hints;
  UpdateHints();
}

void TDBNavigator::SetShowHint(bool show) {
  showHint_ = show;
  UpdateHints();
}

void TDBNavigator::UpdateHints() {
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i)
    buttons_[static_cast<std::size_t>(i)]->setToolTip(showHint_ && i < hints_.Count() ? ToQString(hints_[i]) : QString());
}

// The visible buttons share the width evenly, as the class library lays them out.
void TDBNavigator::resizeEvent(QResizeEvent *) {
  std::vector<QToolButton *> shown;
  for (QToolButton *button : buttons_)
    if (!button->isHidden()) shown.push_back(button);
  if (shown.empty()) return;
  const int count = static_cast<int>(shown.size());
  const int width = this->width() / count, extra = this->width() % count;
  for (int i = 0, left = 0; i < count; ++i) {
    const int w = width + (i < extra ? 1 : 0);
    shown[static_cast<std::size_t>(i)]->setGeometry(left, 0, w, height());
    left += w;
  }
}

void TDBNavigator::UpdateButtons() {
  TDataSet *dataSet = link_.DataSet();
  const bool active = link_.Active();
  const bool editing = active && (dataSet->State() == dsEdit || dataSet->State() == dsInsert);
  const bool modifiable = active && dataSet->CanModify();
  buttons_[nbFirst]->setEnabled(active && !dataSet->Bof());
  buttons_[nbPrior]->setEnabled(active && !dataSet->Bof());
  buttons_[nbNext]->setEnabled(active && !dataSet->Eof());
  buttons_[nbLast]->setEnabled(active && !dataSet->Eof());
  buttons_[nbInsert]->setEnabled(modifiable);
  buttons_[nbDelete]->setEnabled(modifiable && !(dataSet->Bof() && dataSet->Eof()));
  buttons_[nbEdit]->setEnabled(modifiable && !editing);
  buttons_[nbPost]->setEnabled(modifiable && editing);
  buttons_[nbCancel]->setEnabled(modifiable && editing);
  buttons_[nbRefresh]->setEnabled(modifiable);
}

void TDBNavigator::BtnClick(TNavigateBtn button) {
  TDataSet *dataSet = link_.DataSet();
  if (!link_.Active()) return;
  switch (button) {
    case nbFirst: dataSet->First(); break;
    case nbPrior: dataSet->Prior(); break;
    case nbNext: dataSet->Next(); break;
    case nbLast: dataSet->Last(); break;
    case nbInsert: dataSet->Insert(); break;
    case nbDelete:
      if (!ConfirmDelete || ConfirmRecordDelete()) dataSet->Delete();
      break;
    case nbEdit: dataSet->Edit(); break;
    case nbPost: dataSet->Post(); break;
    case nbCancel: dataSet->Cancel(); break;
    case nbRefresh: dataSet->Refresh(); break;
  }
}
