#include "platform/vcl/DBGrids.h"

#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Events.h"
#include "platform/vcl/Forms.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {

Qt::Alignment AlignmentOf(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter: return Qt::AlignCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

}  // namespace

// ---------------------------------------------------------------- columns

TField *TColumn::Field() const {
  TDataSet *dataSet = grid_->DataSource() ? grid_->DataSource()->DataSet() : nullptr;
  if (!dataSet) return nullptr;
  if (fieldIndex_ >= 0) return fieldIndex_ < dataSet->FieldCount() ? dataSet->Fields(fieldIndex_) : nullptr;
  return dataSet->FindField(FieldName);
}

bool TColumn::ReadOnly() const {
  if (readOnly_ || grid_->ReadOnly) return true;
  const TField *field = Field();
  return field && field->ReadOnly;
}

TColumn *TDBGridColumns::Add() {
  persistent_ = true;
  columns_.push_back(std::make_unique<TColumn>(grid_));
  return columns_.back().get();
}

void TDBGridColumns::FollowFields(TDataSet *dataSet) {
  columns_.clear();
  for (int i = 0; dataSet && i < dataSet->FieldCount(); ++i) {
    auto column = std::make_unique<TColumn>(grid_);
    column->FieldName = dataSet->Fields(i)->FieldName;
    column->Title.Caption = column->FieldName;
    column->Alignment = dataSet->Fields(i)->Alignment;
    column->fieldIndex_ = i;
    columns_.push_back(std::move(column));
  }
}

// ---------------------------------------------------------------- model: rows asked for one by one

class TDBGrid::Model : public QAbstractTableModel {
 public:
  explicit Model(TDBGrid *grid) : QAbstractTableModel(grid), grid_(grid) {}

  int rowCount(const QModelIndex &parent = {}) const override {
    const TDataSet *dataSet = grid_->DataSet();
    if (parent.isValid() || !dataSet || dataSet->State() == dsInactive) return 0;
    return std::max(dataSet->RecordCount(), 1);  // an empty dataset shows one blank row to type into
  }
  int columnCount(const QModelIndex &parent = {}) const override {
    return parent.isValid() ? 0 : grid_->columns_.Count();
  }

  QVariant data(const QModelIndex &index, int role) const override {
    TDataSet *dataSet = grid_->DataSet();
    if (!dataSet || index.row() >= dataSet->RecordCount()) return {};
    const TColumn *column = grid_->columns_.Items(index.column());
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(AlignmentOf(column->Alignment));
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    const TField *field = column->Field();
    if (!field) return {};
    try {
      const TDataSet::TRecordView view(*dataSet, index.row());
      return ToQString(role == Qt::DisplayRole ? field->DisplayText() : field->Text());
    } catch (const std::exception &) {
      return {};  // a text handler's error is not drawn
    }
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation == Qt::Horizontal) {
      if (role == Qt::DisplayRole) return ToQString(grid_->columns_.Items(section)->Title.Caption);
      if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
      return {};
    }
    const TDataSet *dataSet = grid_->DataSet();
    if (role != Qt::DisplayRole || !dataSet || section != std::max(dataSet->RecNo() - 1, 0)) return {};
    switch (dataSet->State()) {
      case dsBrowse: return dataSet->RecordCount() ? QStringLiteral("\u25b8") : QString();
      case dsEdit: return QStringLiteral("I");
      case dsInsert: return QStringLiteral("*");
      default: return {};
    }
  }

  Qt::ItemFlags flags(const QModelIndex &index) const override {
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const TDataSet *dataSet = grid_->DataSet();
    const TColumn *column = grid_->columns_.Items(index.column());
    // A dataset that cannot be modified refuses the edit with its reason (TDBGrid::edit).
    if (grid_->HasOption(dgEditing) && dataSet && column->Field() && !column->ReadOnly()) flags |= Qt::ItemIsEditable;
    return flags;
  }

  // Everything anew; the columns keep the widths they had.
  void Reset() {
    QHeaderView *header = grid_->horizontalHeader();
    std::vector<int> widths;
    for (int i = 0; i < header->count(); ++i) widths.push_back(header->sectionSize(i));
    beginResetModel();
    endResetModel();
    if (static_cast<int>(widths.size()) == header->count())
      for (int i = 0; i < header->count(); ++i) header->resizeSection(i, widths[static_cast<std::size_t>(i)]);
  }

  void CurrentRowChanged() {
    const int row = std::max(grid_->DataSet()->RecNo() - 1, 0);
    if (row >= rowCount() || columnCount() == 0) return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, row, row);
  }

 private:
  TDBGrid *grid_;
};

// ---------------------------------------------------------------- delegate: the cell editor

class TDBGrid::Delegate : public QStyledItemDelegate {
 public:
  explicit Delegate(TDBGrid *grid) : QStyledItemDelegate(grid), grid_(grid) {}

  QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override {
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setAlignment(AlignmentOf(grid_->columns_.Items(index.column())->Alignment));
    grid_->editor_ = editor;
    grid_->editorColumn_ = index.column();
    return editor;
  }
  void setEditorData(QWidget *editor, const QModelIndex &index) const override {
    const QString text = index.data(Qt::EditRole).toString();
    static_cast<QLineEdit *>(editor)->setText(text);
    grid_->editorStart_ = text;
  }
  // The grid writes the field itself, so that a refused text keeps the editor open.
  void setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const override {}

 protected:
  bool eventFilter(QObject *object, QEvent *event) override {
    if (event->type() == QEvent::KeyPress && !grid_->EditorKey(static_cast<QKeyEvent *>(event))) return true;
    if (event->type() == QEvent::FocusOut) return false;  // leaving the cell is the grid's business
    return QStyledItemDelegate::eventFilter(object, event);
  }

 private:
  TDBGrid *grid_;
};

// ---------------------------------------------------------------- grid

TDBGrid::TDBGrid(QWidget *parent)
    : TKeyControl<QTableView>(parent), link_([this](TDataEvent event) { DataEvent(event); }), model_(new Model(this)) {
  setModel(model_);
  setItemDelegate(new Delegate(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);  // a cell cuts its text off, as the class library's does
  horizontalHeader()->setHighlightSections(false);
  verticalHeader()->setHighlightSections(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setFixedWidth(12);
  SetOptions({dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgConfirmDelete,
              dgCancelOnExit});
  // Leaving the grid for another control of its window: the class library's exit of the grid.
  QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
    const auto inside = [this](QWidget *w) { return w == this || isAncestorOf(w); };
    if (old && inside(old) && now && !inside(now) && now->window() == window()) Exit();
  });
}

TDBGrid::~TDBGrid() { link_.SetDataSource(nullptr); }

void TDBGrid::SetOptions(std::initializer_list<TDBGridOption> options) {
  options_ = 0;
  for (TDBGridOption option : options) options_ |= 1u << option;
  LayoutChanged();
}

void TDBGrid::LayoutChanged() {
  model_->Reset();
  horizontalHeader()->setVisible(HasOption(dgTitles));
  verticalHeader()->setVisible(HasOption(dgIndicator));
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  setShowGrid(HasOption(dgColLines) || HasOption(dgRowLines));
  setTabKeyNavigation(HasOption(dgTabs));
  setEditTriggers(HasOption(dgEditing) ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                                             QAbstractItemView::EditKeyPressed
                                       : QAbstractItemView::NoEditTriggers);
  QHeaderView *header = horizontalHeader();
  header->setSectionResizeMode(HasOption(dgColumnResize) ? QHeaderView::Interactive : QHeaderView::Fixed);
  for (int i = 0; i < columns_.Count(); ++i) {
    const TColumn *column = columns_.Items(i);
    int width = column->Width;
    if (width < 0) {
      const TField *field = column->Field();
      // A long text (a memo to the class library) stays within reach.
      const int fieldWidth = field && field->Size > 0 ? std::min(field->Size, 64) * fontMetrics().averageCharWidth() : 60;
      width = std::max(fontMetrics().horizontalAdvance(ToQString(column->Title.Caption)), fieldWidth) + 4;
    }
    header->resizeSection(i, width);
  }
  FollowDataSet();
}

void TDBGrid::DataEvent(TDataEvent event) {
  TDataSet *dataSet = DataSet();
  switch (event) {
    case deUpdateRecord:
      WriteEditor();
      break;
    case deRecordChange:
      model_->CurrentRowChanged();
      break;
    case deDataSetScroll:
    case deUpdateState:
      FollowDataSet();
      verticalHeader()->viewport()->update();
      break;
    case deDataSetChange:
      // A reset takes the cell editor with it; the focus stays in the grid rather than moving on.
      if (editor_ && editor_->hasFocus()) setFocus();
      editor_ = nullptr;
      if (!columns_.persistent_) {
        columns_.FollowFields(dataSet);
        LayoutChanged();
      } else {
        model_->Reset();
        FollowDataSet();
      }
      break;
  }
}

void TDBGrid::FollowDataSet() {
  TDataSet *dataSet = DataSet();
  if (!dataSet || dataSet->State() == dsInactive || columns_.Count() == 0) return;
  selectedIndex_ = std::clamp(selectedIndex_, 0, columns_.Count() - 1);
  const QModelIndex target = model_->index(std::max(dataSet->RecNo() - 1, 0), selectedIndex_);
  if (target == currentIndex()) return;
  following_ = true;
  selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
  following_ = false;
}

void TDBGrid::SetSelectedIndex(int index) {
  WriteEditor();
  CloseInplaceEditor();
  selectedIndex_ = index;
  FollowDataSet();
}

void TDBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous) {
  if (!following_ && editor_ && !TryWriteEditor()) {
    // The field refused the text: the editor and the current cell stay.
    following_ = true;
    selectionModel()->setCurrentIndex(previous, QItemSelectionModel::ClearAndSelect);
    following_ = false;
    return;
  }
  QTableView::currentChanged(current, previous);
  if (following_ || !current.isValid()) return;
  selectedIndex_ = current.column();
  TDataSet *dataSet = DataSet();
  if (dataSet && dataSet->State() != dsInactive && current.row() != dataSet->RecNo() - 1 &&
      current.row() < dataSet->RecordCount())
    Guarded([&] { dataSet->SetRecNo(current.row() + 1); });
  FollowDataSet();
}

bool TDBGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) {
  TDataSet *dataSet = DataSet();
  const bool opens = dataSet && index.isValid() && state() != EditingState && trigger != SelectedClicked &&
                     (trigger == AllEditTriggers || (editTriggers() & trigger)) &&
                     (model_->flags(index) & Qt::ItemIsEditable);
  if (!opens) return QTableView::edit(index, trigger, event);
  // The record goes into editing first; on an empty dataset that inserts one.
  bool editing = false;
  Guarded([&] {
    dataSet->Edit();
    editing = true;
  });
  if (!editing) return false;
  openingEditor_ = true;
  const bool opened =
      QTableView::edit(model_->index(std::max(dataSet->RecNo() - 1, 0), selectedIndex_), trigger, event);
  openingEditor_ = false;
  return opened;
}

void TDBGrid::WriteEditor() {
  if (!editor_ || editor_->text() == editorStart_) return;
  TDataSet *dataSet = DataSet();
  // A click or a key may have made another cell current already: the text is the editor's own cell's.
  TField *field =
      editorColumn_ >= 0 && editorColumn_ < columns_.Count() ? columns_.Items(editorColumn_)->Field() : nullptr;
  if (!dataSet || !field) return;
  const QString text = editor_->text();
  if (dataSet->State() == dsBrowse) dataSet->Edit();
  field->SetAsString(FromQString(text));
  editorStart_ = text;
}

bool TDBGrid::TryWriteEditor() {
  try {
    WriteEditor();
    return true;
  } catch (const std::exception &error) {
    if (Application) Application->HandleException(error);
    return false;
  }
}

void TDBGrid::commitData(QWidget *) { writeFailed_ = !TryWriteEditor(); }

void TDBGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) {
  if (writeFailed_) {
    writeFailed_ = false;
    return;
  }
  if (editor == editor_) editor_ = nullptr;
  editorKey_ = nullptr;
  // Without dgTabs, Tab leaves the grid instead of editing the next cell.
  if (hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem)
    hint = QAbstractItemDelegate::NoHint;
  QTableView::closeEditor(editor, hint);
}

void TDBGrid::CloseInplaceEditor() {
  if (editor_) closeEditor(editor_, QAbstractItemDelegate::NoHint);
}

void TDBGrid::keyPressEvent(QKeyEvent *event) {
  // A key the cell editor did not use comes up here; its handlers ran already.
  const bool dispatched = event == editorKey_;
  editorKey_ = nullptr;
  if (dispatched || DispatchKey(this, *event, OnKeyDown, OnKeyPress)) GridKey(event);
}

bool TDBGrid::EditorKey(QKeyEvent *event) {
  if (openingEditor_) return true;  // the key that opened the editor types into it
  const QPointer<QLineEdit> editor = editor_;
  editorKey_ = nullptr;
  if (!DispatchKey(this, *event, OnKeyDown, OnKeyPress) || !editor || editor != editor_) return false;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (TryWriteEditor()) CloseInplaceEditor();
      return false;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      if (TryWriteEditor()) {
        CloseInplaceEditor();
        focusNextPrevChild(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
      }
      return false;
    default:
      editorKey_ = event;
      return true;
  }
}

void TDBGrid::GridKey(QKeyEvent *event) {
  TDataSet *dataSet = DataSet();
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  // A dataset that cannot be modified refuses with its reason, before any question.
  const bool modifiable = dataSet && dataSet->State() != dsInactive && HasOption(dgEditing) && !ReadOnly;
  if (modifiable && event->key() == Qt::Key_Insert && !ctrl) {
    Guarded([&] { dataSet->Insert(); });
  } else if (modifiable && event->key() == Qt::Key_Delete && ctrl) {
    Guarded([&] {
      if (dataSet->IsEmpty()) return;
      dataSet->CheckCanModify();
      if (!HasOption(dgConfirmDelete) || ConfirmRecordDelete()) dataSet->Delete();
    });
  } else if (dataSet && event->key() == Qt::Key_Escape && !editor_) {
    Guarded([&] { dataSet->Cancel(); });
  } else {
    QTableView::keyPressEvent(event);
  }
}

void TDBGrid::Exit() {
  TDataSet *dataSet = DataSet();
  if (!dataSet || dataSet->State() == dsInactive) return;
  const bool typed = editor_ && editor_->text() != editorStart_;
  if (HasOption(dgCancelOnExit) && dataSet->State() == dsInsert && !dataSet->Modified() && !typed) {
    Guarded([&] { dataSet->Cancel(); });
  } else if (TryWriteEditor()) {
    CloseInplaceEditor();
  } else {
    setFocus();
    return;
  }
  // A handler that raises keeps the focus in the grid.
  bool left = false;
  Guarded([&] {
    CallEvent(OnExit, this);
    left = true;
  });
  if (!left) setFocus();
}

bool ConfirmRecordDelete() {
  return ShowMessageBox("Excluir registro?", "Confirmação"_a, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
