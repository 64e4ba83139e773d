#include "platform/db/DB.h"

#include "platform/sys/DateTime.h"
#include "platform/vcl/Events.h"

#include <QDateTime>
#include <algorithm>
#include <cstdlib>

namespace {

// FormatFloat of a whole number with a format of zeros only; any other format shows the number as is.
AnsiString ZeroFormatted(long long number, const AnsiString &format) {
  if (format.find_first_not_of('0') != AnsiString::npos) return IntToStr(number);
  AnsiString digits = IntToStr(std::llabs(number));
  if (digits.size() < format.size()) digits.insert(0, format.size() - digits.size(), '0');
  return (number < 0 ? "-" : "") + digits;
}

}  // namespace

// ---------------------------------------------------------------- field

TField::TField(TComponent *AOwner, TFieldType type) : TComponent(AOwner), type_(type) {}

TField::~TField() { SetDataSet(nullptr); }

void TField::SetDataSet(TDataSet *dataSet) {
  if (dataSet == dataSet_) return;
  if (dataSet_) {
    std::erase(dataSet_->persistent_, this);
    std::erase(dataSet_->fields_, this);
  }
  dataSet_ = dataSet;
  column_ = -1;
  if (dataSet_) {
    if (dataSet_->state_ != dsInactive) throw EDatabaseError(dataSet_->Name + ": Cannot perform this operation on an open dataset");
    dataSet_->persistent_.push_back(this);
    dataSet_->fields_.push_back(this);
  }
}

const QVariant &TField::Value() const {
  static const QVariant null;
  return dataSet_ ? dataSet_->CurrentValue(column_) : null;
}

bool TField::IsNull() const { return Value().isNull(); }

AnsiString TField::AsString() const {
  const QVariant &value = Value();
  if (value.isNull()) return {};
  switch (value.typeId()) {
    case QMetaType::QDate:
      return DateToStr(ToDateTime(value.toDate().startOfDay()));
    case QMetaType::QDateTime: {
      const QDateTime when = value.toDateTime();
      AnsiString text = DateToStr(ToDateTime(when));
      if (when.time() != QTime(0, 0)) text.append(1, ' ').append(TimeToStr(ToDateTime(when)));
      return text;
    }
    case QMetaType::QTime:
      return TimeToStr(ToDateTime(QDateTime(QDate(1899, 12, 30), value.toTime())));
    case QMetaType::QByteArray:
      return value.toByteArray().toStdString();
    default:
      return FromQString(value.toString());
  }
}

double TField::AsFloat() const {
  const QVariant &value = Value();
  if (value.isNull()) return 0;
  bool ok = false;
  const double number = value.toDouble(&ok);
  if (!ok) throw EConvertError("'" + AsString() + "' is not a valid floating point value");
  return number;
}

int TField::AsInteger() const { return IsNull() ? 0 : StrToInt(AsString()); }

void TField::SetAsString(const AnsiString &text) {
  if (!dataSet_) throw EDatabaseError(FieldName + ": Field has no dataset");
  QVariant value;
  if (!text.empty()) {
    if (type_ == ftInteger) {
      try {
        value = StrToInt(text);
      } catch (const EConvertError &) {
        throw EDatabaseError("'" + text + "' não é um valor inteiro válido para o campo '"_a + DisplayName() + "'");
      }
    } else {
      if (type_ == ftString && Size > 0 && Length(text) > Size)
        throw EDatabaseError("Texto longo demais para o campo '" + DisplayName() + "': no máximo "_a + IntToStr(Size) +
                             " caracteres");
      value = ToQString(text);
    }
  }
  dataSet_->SetCurrentValue(column_, std::move(value));
}

void TField::Clear() { SetAsString({}); }

AnsiString TField::GetText(bool displayText) const {
  if (OnGetText) {
    AnsiString text;
    CallEvent(OnGetText, const_cast<TField *>(this), text, displayText);
    return text;
  }
  if (displayText && type_ == ftInteger && !DisplayFormat.empty() && !IsNull())
    return ZeroFormatted(Value().toLongLong(), DisplayFormat);
  return AsString();
}

// ---------------------------------------------------------------- dataset

TDataSet::TDataSet(TComponent *AOwner) : TComponent(AOwner) {}

TDataSet::~TDataSet() {
  for (TField *field : fields_) {
    field->dataSet_ = nullptr;
    field->column_ = -1;
  }
  fields_.clear();
  for (TDataSource *source : std::vector<TDataSource *>(sources_)) {
    source->dataSet_ = nullptr;
    source->DataEvent(deDataSetChange);
  }
}

void TDataSet::CheckActive() const {
  if (state_ == dsInactive) throw EDatabaseError(Name + ": Não é possível executar esta operação em um conjunto de dados fechado"_a);
}

void TDataSet::CheckCanModify() const {
  if (CanModify()) return;
  const AnsiString reason = ReadOnlyReason();
  throw EDatabaseError(Name + ": Não é possível modificar um conjunto de dados somente leitura"_a +
                       (reason.empty() ? AnsiString() : ": " + reason));
}

void TDataSet::Open() {
  if (Active()) return;
  TResult result = InternalOpen();
  BindFields(result);
  columns_ = std::move(result.columns);
  rows_ = std::move(result.rows);
  state_ = dsBrowse;
  recNo_ = 0;
  bof_ = true;
  eof_ = rows_.empty();
  ++generation_;
  DataEvent(deDataSetChange);
  CallEvent(AfterOpen, this);
}

void TDataSet::BindFields(const TResult &result) {
  const std::vector<AnsiString> &columns = result.columns;
  const auto find = [&columns](const AnsiString &name) {
    for (std::size_t i = 0; i < columns.size(); ++i)
      if (SameText(columns[i], name)) return static_cast<int>(i);
    return -1;
  };
  defaultFields_.clear();
  fields_ = persistent_;
  if (persistent_.empty()) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const AnsiString &name = columns[i];
      auto field = std::make_unique<TField>(nullptr, ftUnknown);
      field->FieldName = name;
      if (i < result.sizes.size()) field->Size = result.sizes[i];  // the grid's width of the column
      field->ReadOnly = i < result.readOnly.size() && result.readOnly[i];
      if (i < result.numeric.size() && result.numeric[i]) field->Alignment = taRightJustify;
      field->dataSet_ = this;
      field->column_ = static_cast<int>(i);  // by position: two columns never share a field
      fields_.push_back(field.get());
      defaultFields_.push_back(std::move(field));
    }
    return;
  }
  for (TField *field : persistent_) {
    field->column_ = find(field->FieldName);
    if (field->column_ < 0) throw EDatabaseError(Name + ": Field '" + field->FieldName + "' not found");
  }
}

void TDataSet::Close() {
  if (state_ == dsInactive && rows_.empty() && defaultFields_.empty()) return;
  state_ = dsInactive;
  rows_.clear();
  columns_.clear();
  edit_.clear();
  modified_ = false;
  recNo_ = 0;
  bof_ = eof_ = true;
  fields_ = persistent_;  // a persistent field belongs to the dataset also while it is closed
  defaultFields_.clear();
  for (TField *field : persistent_) field->column_ = -1;
  ++generation_;
  DataEvent(deDataSetChange);
}

bool TDataSet::IsEmpty() { return !Active() || rows_.empty(); }

TField *TDataSet::FindField(const AnsiString &name) const {
  for (TField *field : fields_)
    if (SameText(field->FieldName, name)) return field;
  return nullptr;
}

TField *TDataSet::FieldByName(const AnsiString &name) {
  Active();
  if (TField *field = FindField(name)) return field;
  throw EDatabaseError(Name + ": Field '" + name + "' not found");
}

const QVariant &TDataSet::CurrentValue(int column) const {
  static const QVariant null;
  const int row = viewRow_ >= 0 ? viewRow_ : recNo_;
  if (column < 0 || row >= static_cast<int>(rows_.size())) return null;
  if ((state_ == dsEdit || state_ == dsInsert) && row == recNo_) return edit_[static_cast<std::size_t>(column)];
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void TDataSet::SetCurrentValue(int column, QVariant value) {
  if (state_ != dsEdit && state_ != dsInsert)
    throw EDatabaseError(Name + ": O conjunto de dados não está em modo de edição ou inserção"_a);
  const auto index = static_cast<std::size_t>(column);
  edit_[index] = std::move(value);
  changed_[index] = true;
  modified_ = true;
  DataEvent(deRecordChange);
}

// ---------------------------------------------------------------- moving

void TDataSet::MoveTo(int index, bool bof, bool eof) {
  recNo_ = std::clamp(index, 0, std::max(RecordCount() - 1, 0));
  bof_ = bof || rows_.empty();
  eof_ = eof || rows_.empty();
  DataEvent(deDataSetScroll);
}

void TDataSet::First() {
  CheckBrowseMode();
  MoveTo(0, true, false);
}

void TDataSet::Last() {
  CheckBrowseMode();
  MoveTo(RecordCount() - 1, false, true);
}

void TDataSet::Next() {
  CheckBrowseMode();
  MoveTo(recNo_ + 1, false, recNo_ + 1 >= RecordCount());
}

void TDataSet::Prior() {
  CheckBrowseMode();
  MoveTo(recNo_ - 1, recNo_ == 0, false);
}

void TDataSet::SetRecNo(int recNo) {
  CheckActive();
  const std::size_t count = rows_.size();
  const int inserted = state_ == dsInsert ? recNo_ : -1;
  const unsigned generation = generation_;
  CheckBrowseMode();
  int target = recNo - 1;
  if (generation_ != generation) {
    // The target was counted among the old records: only a dropped empty insertion keeps it findable.
    if (generation_ != generation + 1 || inserted < 0 || rows_.size() + 1 != count) return;
    if (target > inserted) --target;
  }
  MoveTo(target, false, false);
}

// ---------------------------------------------------------------- editing

void TDataSet::Edit() {
  if (state_ == dsEdit || state_ == dsInsert) return;
  CheckActive();
  if (rows_.empty()) {
    Insert();
    return;
  }
  CheckCanModify();
  edit_ = rows_[static_cast<std::size_t>(recNo_)];
  changed_.assign(edit_.size(), false);
  modified_ = false;
  state_ = dsEdit;
  DataEvent(deUpdateState);
}

void TDataSet::Insert() { BeginInsert(false); }

void TDataSet::Append() { BeginInsert(true); }

void TDataSet::BeginInsert(bool append) {
  CheckActive();
  CheckCanModify();
  CheckBrowseMode();
  recNo_ = append ? RecordCount() : std::min(recNo_, RecordCount());
  rows_.insert(rows_.begin() + recNo_, TRecordValues(columns_.size()));
  edit_.assign(columns_.size(), QVariant());
  changed_.assign(columns_.size(), false);
  state_ = dsInsert;
  bof_ = eof_ = false;
  ++generation_;
  DataEvent(deDataSetChange);
  try {
    CallEvent(OnNewRecord, this);
  } catch (...) {
    Cancel();
    throw;
  }
  modified_ = false;
}

void TDataSet::UpdateRecord() {
  if (state_ == dsEdit || state_ == dsInsert) DataEvent(deUpdateRecord);
}

void TDataSet::Post() {
  CheckActive();
  UpdateRecord();
  if (state_ != dsEdit && state_ != dsInsert) return;
  CallEvent(BeforePost, this);
  for (TField *field : fields_)
    if (field->Required && field->IsNull()) throw EDatabaseError("Campo '" + field->DisplayName() + "' deve ter um valor");
  const auto index = static_cast<std::size_t>(recNo_);
  InternalPost(state_ == dsInsert, rows_[index], edit_, changed_);
  rows_[index] = edit_;
  state_ = dsBrowse;
  modified_ = false;
  DataEvent(deDataSetChange);
  CallEvent(AfterPost, this);
}

void TDataSet::Cancel() {
  if (state_ == dsEdit) {
    state_ = dsBrowse;
  } else if (state_ == dsInsert) {
    rows_.erase(rows_.begin() + recNo_);
    state_ = dsBrowse;
    recNo_ = std::clamp(recNo_, 0, std::max(RecordCount() - 1, 0));
    eof_ = rows_.empty();
    ++generation_;
  } else {
    return;
  }
  modified_ = false;
  DataEvent(deDataSetChange);
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  UpdateRecord();
  if (state_ != dsEdit && state_ != dsInsert) return;
  if (modified_) {
    Post();
  } else {
    Cancel();
  }
}

void TDataSet::Delete() {
  CheckActive();
  if (state_ == dsInsert) {
    Cancel();
    return;
  }
  if (rows_.empty()) throw EDatabaseError(Name + ": Não é possível executar esta operação em um conjunto de dados vazio"_a);
  CheckCanModify();
  // The handlers and the delete read the stored record, not changes typed over it.
  if (state_ == dsEdit) Cancel();
  CallEvent(BeforeDelete, this);
  try {
    InternalDelete(rows_[static_cast<std::size_t>(recNo_)]);
  } catch (EDatabaseError &error) {
    TDataAction action = daFail;
    CallEvent(OnDeleteError, this, error, action);
    if (action == daAbort) Abort();
    throw;
  }
  rows_.erase(rows_.begin() + recNo_);
  recNo_ = std::clamp(recNo_, 0, std::max(RecordCount() - 1, 0));
  eof_ = rows_.empty();
  ++generation_;
  DataEvent(deDataSetChange);
  CallEvent(AfterDelete, this);
}

void TDataSet::Refresh() {
  CheckBrowseMode();
  TResult result = InternalOpen();
  const TRecordValues current = rows_.empty() ? TRecordValues() : rows_[static_cast<std::size_t>(recNo_)];
  const int found = current.empty() ? -1 : LocateAfterRefresh(current, result.rows);
  if (result.columns != columns_) BindFields(result);  // the same columns keep their fields
  columns_ = std::move(result.columns);
  rows_ = std::move(result.rows);
  recNo_ = std::clamp(found >= 0 ? found : recNo_, 0, std::max(RecordCount() - 1, 0));
  bof_ = eof_ = rows_.empty();
  ++generation_;
  DataEvent(deDataSetChange);
}

void TDataSet::InternalPost(bool, const TRecordValues &, TRecordValues &, const std::vector<bool> &) {
  CheckCanModify();
}

void TDataSet::InternalDelete(const TRecordValues &) { CheckCanModify(); }

int TDataSet::LocateAfterRefresh(const TRecordValues &, const std::vector<TRecordValues> &) const { return -1; }

void TDataSet::DataEvent(TDataEvent event) {
  for (TDataSource *source : std::vector<TDataSource *>(sources_)) source->DataEvent(event);
}

// ---------------------------------------------------------------- data source and link

TDataSource::~TDataSource() {
  SetDataSet(nullptr);
  for (TDataLink *link : std::vector<TDataLink *>(links_)) link->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet *dataSet) {
  if (dataSet == dataSet_) return;
  if (dataSet_) std::erase(dataSet_->sources_, this);
  dataSet_ = dataSet;
  if (dataSet_) dataSet_->sources_.push_back(this);
  DataEvent(deDataSetChange);
}

void TDataSource::DataEvent(TDataEvent event) {
  for (TDataLink *link : std::vector<TDataLink *>(links_)) CallEvent(link->onEvent_, event);
}

TDataLink::~TDataLink() {
  if (source_) std::erase(source_->links_, this);
}

void TDataLink::SetDataSource(TDataSource *source) {
  if (source == source_) return;
  if (source_) std::erase(source_->links_, this);
  source_ = source;
  if (source_) source_->links_.push_back(this);
  CallEvent(onEvent_, deDataSetChange);
}

TDataSet *TDataLink::DataSet() const { return source_ ? source_->DataSet() : nullptr; }

bool TDataLink::Active() const { return DataSet() && DataSet()->State() != dsInactive; }
