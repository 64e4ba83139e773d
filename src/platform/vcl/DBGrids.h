#pragma once
// The class library's data grid on a QTableView: one row per record of its data source's dataset, the
// current record and the selected column as the current cell, editing in place through the dataset.
// The grid's key events (OnKeyDown, OnKeyPress) also see the keys typed into an open cell editor.

#include "platform/db/DB.h"
#include "platform/vcl/Keys.h"

#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <initializer_list>
#include <memory>
#include <vector>

class TDBGrid;

enum TDBGridOption {
  dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgConfirmDelete, dgCancelOnExit
};

class TColumn {
 public:
  explicit TColumn(TDBGrid *grid) : grid_(grid) {}
  AnsiString FieldName;
  struct {
    AnsiString Caption;
  } Title;
  int Width = -1;  // -1: wide enough for the title and the field's size
  TAlignment Alignment = taLeftJustify;
  // The column's own setting, or by default that of its field or of the grid.
  bool ReadOnly() const;
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
  TField *Field() const;

 private:
  friend class TDBGridColumns;
  TDBGrid *grid_;
  bool readOnly_ = false;
  int fieldIndex_ = -1;  // a column made for a field: that field, by its position
};

// The window description's columns; without them, one column per field of the dataset.
class TDBGridColumns {
 public:
  explicit TDBGridColumns(TDBGrid *grid) : grid_(grid) {}
  int Count() const { return static_cast<int>(columns_.size()); }
  TColumn *Items(int index) const { return columns_.at(static_cast<std::size_t>(index)).get(); }
  TColumn *Add();

 private:
  friend class TDBGrid;
  void FollowFields(TDataSet *dataSet);
  TDBGrid *grid_;
  std::vector<std::unique_ptr<TColumn>> columns_;
  bool persistent_ = false;
};

class TDBGrid : public TKeyControl<QTableView> {
 public:
  explicit TDBGrid(QWidget *parent);
  ~TDBGrid() override;

  TDataSource *DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource *source) { link_.SetDataSource(source); }
  TDBGridColumns *Columns() { return &columns_; }
  void SetOptions(std::initializer_list<TDBGridOption> options);
  bool HasOption(TDBGridOption option) const { return (options_ >> option) & 1u; }
  bool ReadOnly = false;

  int SelectedIndex() const { return selectedIndex_; }
  // Writes an open cell editor's text into its field first (which may raise), then selects the column.
  void SetSelectedIndex(int index);
  // Applies the columns' titles, widths and the options to the view.
  void LayoutChanged();

  // The open cell editor, or none.
  QLineEdit *InplaceEditor() const { return editor_; }

  // The focus went to another control of the grid's window, after the editor's text was written.
  TNotifyEvent OnExit;

 protected:
  void keyPressEvent(QKeyEvent *event) override;
  void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
  bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
  void commitData(QWidget *editor) override;
  void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
  // Typing in a cell never jumps to another row.
  void keyboardSearch(const QString &) override {}

 private:
  class Model;
  class Delegate;
  TDataSet *DataSet() const { return link_.DataSet(); }
  void DataEvent(TDataEvent event);
  // The current cell follows the dataset's current record and the selected column.
  void FollowDataSet();
  void GridKey(QKeyEvent *event);
  // The keys typed into the cell editor, before it acts on them; gives whether the editor may.
  bool EditorKey(QKeyEvent *event);
  // Writes the cell editor's text into its field when it changed; raises what the field raises.
  void WriteEditor();
  bool TryWriteEditor();
  void CloseInplaceEditor();
  void Exit();

  TDataLink link_;
  TDBGridColumns columns_{this};
  Model *model_;
  unsigned options_ = 0;
  int selectedIndex_ = 0;
  bool following_ = false;      // the grid itself moves the current cell
  bool openingEditor_ = false;  // the key that opens the editor is handed to it
  QPointer<QLineEdit> editor_;
  int editorColumn_ = -1;  // the column the editor was opened on, whatever is current now
  QString editorStart_;  // the field's text when the editor opened or was last written
  QString failedText_;   // a text the field refused, not shown twice
  bool writeFailed_ = false;
  const QKeyEvent *editorKey_ = nullptr;  // a key of the editor on its way up to the grid
};

// The class library's question before a record is deleted; gives whether to delete.
bool ConfirmRecordDelete();
