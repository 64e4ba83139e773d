#pragma once
// The class library's data-aware core: a dataset with its states and its records in memory, the
// fields that read and write the current record, and the data sources through which grids and
// navigators follow a dataset.

#include "platform/sys/Exceptions.h"
#include "platform/vcl/Classes.h"

#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class TDataSet;
class TDataSource;
class TField;

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };
enum TFieldType { ftUnknown, ftString, ftInteger };
enum TDataAction { daFail, daAbort };

// What a dataset tells the controls that show it.
enum TDataEvent {
  deDataSetChange,  // records, fields or state changed as a whole
  deRecordChange,   // a value of the current record changed
  deDataSetScroll,  // another record became current
  deUpdateState,    // the state changed without the records changing
  deUpdateRecord,   // controls write what they hold unsaved into the fields
};

using TDataSetNotifyEvent = std::function<void(TDataSet *DataSet)>;
using TDataSetErrorEvent = std::function<void(TDataSet *DataSet, EDatabaseError &E, TDataAction &Action)>;
using TFieldGetTextEvent = std::function<void(TField *Sender, AnsiString &Text, bool DisplayText)>;
using TRecordValues = std::vector<QVariant>;

// A column of the dataset's current record. Fields made by a window description (persistent fields)
// are the dataset's only fields; without them the dataset makes one per column of its result.
class TField : public TComponent {
 public:
  TField(TComponent *AOwner, TFieldType type);
  ~TField() override;

  AnsiString FieldName;
  TFieldType DataType() const { return type_; }
  int Size = 0;  // characters of a string field
  bool Required = false;
  bool ReadOnly = false;
  // How a grid shows it: numbers to the right.
  TAlignment Alignment = taLeftJustify;
  // Of a number field: zeros only ("0000"), the number padded with zeros; a longer one is not cut.
  AnsiString DisplayFormat;
  // Replaces the text for showing (DisplayText) and for editing alike.
  TFieldGetTextEvent OnGetText;

  TDataSet *DataSet() const { return dataSet_; }
  // Makes this a persistent field of the dataset, which must be closed.
  void SetDataSet(TDataSet *dataSet);
  AnsiString DisplayName() const { return FieldName; }

  bool IsNull() const;
  // Text as the database gives it: sums and decimals in the server's own digits ("3", "160.50"),
  // dates in the short date format; NULL gives the empty text.
  AnsiString AsString() const;
  // NULL reads as 0; a text that is no number raises EConvertError.
  double AsFloat() const;
  int AsInteger() const;
  // Stores a typed text into the record being edited: an empty text clears the field, a number
  // field takes a whole number only, a string field no more than Size characters.
  void SetAsString(const AnsiString &text);
  void Clear();
  AnsiString Text() const { return GetText(false); }
  AnsiString DisplayText() const { return GetText(true); }

 private:
  friend class TDataSet;
  AnsiString GetText(bool displayText) const;
  const QVariant &Value() const;
  TFieldType type_;
  TDataSet *dataSet_ = nullptr;
  int column_ = -1;  // in the dataset's records
};

class TIntegerField : public TField {
 public:
  explicit TIntegerField(TComponent *AOwner) : TField(AOwner, ftInteger) { Alignment = taRightJustify; }
};

class TStringField : public TField {
 public:
  explicit TStringField(TComponent *AOwner) : TField(AOwner, ftString) { Size = 20; }
};

// A dataset holds all its records in memory. Editing works on a copy of the current record that
// Post hands to the descendant (which writes it to the server) and Cancel drops.
class TDataSet : public TComponent {
 public:
  explicit TDataSet(TComponent *AOwner);
  ~TDataSet() override;

  void Open();
  // Drops the records and any unsaved change.
  void Close();
  virtual bool Active() { return state_ != dsInactive; }
  TDataSetState State() const { return state_; }
  bool IsEmpty();
  virtual bool CanModify() const { return false; }
  // Why CanModify is false, told with the error that refuses a change; empty when there is nothing to add.
  virtual AnsiString ReadOnlyReason() const { return {}; }
  // Raises that error when the dataset cannot be modified.
  void CheckCanModify() const;

  int RecordCount() const { return static_cast<int>(rows_.size()); }
  // From 1; 0 without records.
  int RecNo() const { return rows_.empty() ? 0 : recNo_ + 1; }
  // Saves or drops the record being edited first (CheckBrowseMode); when that changed the records,
  // the current record stays.
  void SetRecNo(int recNo);
  // Bof and Eof as the class library sets them: after First / Last, or a move that found no record.
  bool Bof() const { return bof_; }
  bool Eof() const { return eof_; }
  void First();
  void Last();
  void Next();
  void Prior();

  // Edit of an empty dataset inserts.
  void Edit();
  void Insert();
  void Append();
  // BeforePost, the required fields, the descendant's write; the record stays in editing when any fails.
  void Post();
  void Cancel();
  // A record in insertion is only cancelled; unsaved changes of a record in editing are dropped first.
  void Delete();
  // Reads the records again and stays on the same one where it can.
  void Refresh();
  // Posts the record being edited when it was modified, else cancels it.
  void CheckBrowseMode();
  void UpdateRecord();
  bool Modified() const { return modified_; }

  int FieldCount() const { return static_cast<int>(fields_.size()); }
  TField *Fields(int index) const { return fields_.at(static_cast<std::size_t>(index)); }
  TField *FindField(const AnsiString &name) const;  // without regard to case
  TField *FieldByName(const AnsiString &name);      // raises EDatabaseError when absent

  TDataSetNotifyEvent AfterOpen;
  TDataSetNotifyEvent BeforePost;
  TDataSetNotifyEvent AfterPost;
  TDataSetNotifyEvent BeforeDelete;
  TDataSetNotifyEvent AfterDelete;
  TDataSetNotifyEvent OnNewRecord;
  TDataSetErrorEvent OnDeleteError;

  // While it lives, the fields read another record (a grid drawing its rows).
  class TRecordView {
   public:
    TRecordView(TDataSet &dataSet, int index) : dataSet_(dataSet), saved_(dataSet.viewRow_) {
      dataSet.viewRow_ = index;
    }
    ~TRecordView() { dataSet_.viewRow_ = saved_; }
    TRecordView(const TRecordView &) = delete;
    TRecordView &operator=(const TRecordView &) = delete;

   private:
    TDataSet &dataSet_;
    int saved_;
  };

 protected:
  struct TResult {
    std::vector<AnsiString> columns;
    std::vector<TRecordValues> rows;
    std::vector<int> sizes;  // characters of each column, when the server tells them
    std::vector<bool> readOnly;  // columns whose fields cannot be written
    std::vector<bool> numeric;   // columns of numbers
  };
  // The records as the server gives them now.
  virtual TResult InternalOpen() = 0;
  // Writes the record: inserted, or changed from `stored` in the columns marked. The values may be
  // replaced by what the server holds after the write.
  virtual void InternalPost(bool inserted, const TRecordValues &stored, TRecordValues &values,
                            const std::vector<bool> &changed);
  virtual void InternalDelete(const TRecordValues &stored);
  // Where the record that was current stands in the records read again; -1 when it is gone.
  virtual int LocateAfterRefresh(const TRecordValues &current, const std::vector<TRecordValues> &rows) const;
  // A data source follows it: a grid may show and edit its records.
  bool Followed() const { return !sources_.empty(); }

 private:
  friend class TField;
  friend class TDataSource;
  void CheckActive() const;
  void BeginInsert(bool append);
  void BindFields(const TResult &result);
  void MoveTo(int index, bool bof, bool eof);
  void DataEvent(TDataEvent event);
  const QVariant &CurrentValue(int column) const;
  void SetCurrentValue(int column, QVariant value);

  TDataSetState state_ = dsInactive;
  std::vector<AnsiString> columns_;
  std::vector<TRecordValues> rows_;
  int recNo_ = 0;  // index of the current record
  unsigned generation_ = 0;  // counts the changes of the records' number or order
  int viewRow_ = -1;
  bool bof_ = true;
  bool eof_ = true;
  TRecordValues edit_;  // the record being edited or inserted
  std::vector<bool> changed_;
  bool modified_ = false;
  std::vector<TField *> fields_;
  std::vector<TField *> persistent_;
  std::vector<std::unique_ptr<TField>> defaultFields_;
  std::vector<TDataSource *> sources_;
};

// Told of every change of its data source's dataset, for as long as it is linked.
class TDataLink {
 public:
  explicit TDataLink(std::function<void(TDataEvent)> onEvent) : onEvent_(std::move(onEvent)) {}
  ~TDataLink();
  TDataLink(const TDataLink &) = delete;
  TDataLink &operator=(const TDataLink &) = delete;

  TDataSource *DataSource() const { return source_; }
  void SetDataSource(TDataSource *source);
  TDataSet *DataSet() const;
  // Linked to an open dataset.
  bool Active() const;

 private:
  friend class TDataSource;
  std::function<void(TDataEvent)> onEvent_;
  TDataSource *source_ = nullptr;
};

class TDataSource : public TComponent {
 public:
  explicit TDataSource(TComponent *AOwner) : TComponent(AOwner) {}
  ~TDataSource() override;

  TDataSet *DataSet() const { return dataSet_; }
  void SetDataSet(TDataSet *dataSet);
  TDataSetState State() const { return dataSet_ ? dataSet_->State() : dsInactive; }

 private:
  friend class TDataSet;
  friend class TDataLink;
  void DataEvent(TDataEvent event);
  TDataSet *dataSet_ = nullptr;
  std::vector<TDataLink *> links_;
};
