// The administration window's member tables: companies, groups and sectors in three grids with their
// navigators, the group and sector rule of a company, and the deletion of a company with its data.

#include "admin/UDados_empresas.h"

#include "core/UPRINC.h"
#include "platform/vcl/Anchors.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Fonts.h"

namespace {

TADOTable *MemberTable(TComponent *owner, const char *name, const char *table) {
  auto *dataSet = new TADOTable(owner);
  dataSet->Name = name;
  dataSet->SetConnection(Form1->Database1);
  dataSet->TableName = table;
  dataSet->IndexFieldNames = "numero";
  return dataSet;
}

template <typename Field>
Field *MemberField(TComponent *owner, TDataSet *table, const char *name, const char *column, int size = 0) {
  auto *field = new Field(owner);
  field->Name = name;
  field->FieldName = column;
  field->Required = true;
  if (size) field->Size = size;
  field->SetDataSet(table);
  return field;
}

TDataSource *Source(TComponent *owner, const char *name, TDataSet *table) {
  auto *source = new TDataSource(owner);
  source->Name = name;
  source->SetDataSet(table);
  return source;
}

struct TColumnDesign {
  const char *field;
  AnsiString title;
  int width;  // -1: the default width
  TAlignment alignment;
};

TDBGrid *Grid(QWidget *parent, const char *name, TDataSource *source, QRect place,
              std::initializer_list<TColumnDesign> columns) {
  auto *grid = new TDBGrid(parent);
  grid->setObjectName(name);
  grid->setGeometry(place);
  grid->setFont(DesignFont("MS Sans Serif", 12));
  grid->SetOptions({dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgConfirmDelete,
                    dgCancelOnExit});
  for (const TColumnDesign &design : columns) {
    TColumn *column = grid->Columns()->Add();
    column->FieldName = design.field;
    column->Title.Caption = design.title;
    column->Width = design.width;
    column->Alignment = design.alignment;
  }
  grid->SetDataSource(source);
  grid->LayoutChanged();
  return grid;
}

TDBNavigator *Navigator(QWidget *parent, const char *name, TDataSource *source, QRect place) {
  auto *navigator = new TDBNavigator(parent);
  navigator->setObjectName(name);
  navigator->setGeometry(place);
  navigator->SetVisibleButtons({nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel});
  TStringList hints;
  for (const char *hint : {"Posiciona no primeiro registro", "Posiciona registro anterior",
                           "Posiciona no proximo registro", "Posiciona no último registro", "Insere um registro",
                           "Deleta um registro", "Edita um registro", "Grava o registro atual", "Cancela Gravação",
                           "Atualiza dados dos registros"})
    hints.Add(FromUtf8(hint));
  navigator->SetHints(hints);
  navigator->SetShowHint(true);
  navigator->SetDataSource(source);
  SetAnchors(navigator, {akLeft, akBottom});
  return navigator;
}

TLabel *Heading(QWidget *parent, const char *name, const AnsiString &text, QRect place, Qt::Alignment alignment) {
  auto *label = new TLabel(parent);
  label->setObjectName(name);
  label->setText(ToQString(text));
  label->setFont(DesignFont("Verdana", 11, true));
  label->setStyleSheet("color: navy; background: transparent;");
  label->setAlignment(alignment);
  label->setWordWrap(true);
  label->setGeometry(place);
  return label;
}

void RefreshIgnoringErrors(TDataSet *table) {
  try {
    table->Refresh();
  } catch (const std::exception &) {
    // The row is written; a table that cannot be read again shows what it had.
  }
}

void RollbackIgnoringErrors() {
  try {
    Form1->Database1->RollbackTrans();
  } catch (const std::exception &) {
    // A connection that went away took its transaction with it.
  }
}

// A rule's look-up: whether the statement finds a row.
bool Found(TADOQuery *query, const AnsiString &statement) {
  query->SQL.Clear();
  query->SQL.Add(statement);
  query->Open();
  const bool found = !query->IsEmpty();
  query->Close();
  return found;
}

}  // namespace

void TForm2::CreateMemberTables() {
  Table1 = MemberTable(this, "Table1", "empresas");
  Table1numero = MemberField<TIntegerField>(this, Table1, "Table1numero", "numero");
  Table1numero->DisplayFormat = "000000";
  Table1nome = MemberField<TStringField>(this, Table1, "Table1nome", "nome", 50);
  Table1ativo = MemberField<TStringField>(this, Table1, "Table1ativo", "ativo", 1);
  Table1grupo = MemberField<TIntegerField>(this, Table1, "Table1grupo", "grupo");
  Table1grupo->DisplayFormat = "0000";
  Table1setor = MemberField<TIntegerField>(this, Table1, "Table1setor", "setor");
  Table1setor->DisplayFormat = "0000";
  table2 = MemberTable(this, "table2", "grupos");
  table2numero = MemberField<TIntegerField>(this, table2, "table2numero", "numero");
  table2numero->DisplayFormat = "0000";
  table2nome = MemberField<TStringField>(this, table2, "table2nome", "nome", 20);
  Table3 = MemberTable(this, "Table3", "setores");
  Table3numero = MemberField<TIntegerField>(this, Table3, "Table3numero", "numero");
  Table3numero->DisplayFormat = "0000";
  Table3nome = MemberField<TStringField>(this, Table3, "Table3nome", "nome", 40);
  Query1 = new TADOQuery(this);
  Query1->Name = "Query1";
  Query1->SetConnection(Form1->Database1);
  DataSource1 = Source(this, "DataSource1", Table1);
  DataSource2 = Source(this, "DataSource2", table2);
  DataSource3 = Source(this, "DataSource3", Table3);

  Label3 = Heading(Panel1, "Label3", "Associados", {6, 4, 300, 17}, Qt::AlignLeft | Qt::AlignVCenter);
  Label4 = Heading(Panel1, "Label4", "Grupos de empresas", {4, 196, 108, 40}, Qt::AlignCenter);
  Label5 = Heading(Panel1, "Label5", "Ramo de Atividade", {4, 322, 108, 40}, Qt::AlignCenter);

  DBGrid1 = Grid(Panel1, "DBGrid1", DataSource1, {4, 23, 607, 114},
                 {{"numero", "Número"_a, 48, taCenter},
                  {"nome", "Nome da Empresa", 400, taLeftJustify},
                  {"ativo", "Ativo", -1, taCenter},
                  {"grupo", "Grupo", 39, taCenter},
                  {"setor", "Setor", 48, taCenter}});
  DBNavigator1 = Navigator(Panel1, "DBNavigator1", DataSource1, {5, 139, 189, 23});
  DBGrid2 = Grid(Panel1, "DBGrid2", DataSource2, {117, 175, 378, 98},
                 {{"numero", "Número"_a, 42, taCenter}, {"nome", "Nome do Grupo", 295, taLeftJustify}});
  DBNavigator2 = Navigator(Panel1, "DBNavigator2", DataSource2, {117, 274, 180, 20});
  DBGrid3 = Grid(Panel1, "DBGrid3", DataSource3, {117, 301, 378, 98},
                 {{"numero", "Número"_a, 41, taCenter}, {"nome", "Nome do Ramo", 296, taLeftJustify}});
  DBNavigator3 = Navigator(Panel1, "DBNavigator3", DataSource3, {117, 399, 180, 20});

  Table1->BeforePost = [this](TDataSet *DataSet) { Table1BeforePost(DataSet); };
  Table1->AfterPost = [this](TDataSet *DataSet) { Table1AfterPost(DataSet); };
  Table1->BeforeDelete = [this](TDataSet *DataSet) { Table1BeforeDelete(DataSet); };
  Table1->AfterDelete = [this](TDataSet *DataSet) { Table1AfterDelete(DataSet); };
  Table1->OnDeleteError = [this](TDataSet *DataSet, EDatabaseError &E, TDataAction &Action) {
    Table1DeleteError(DataSet, E, Action);
  };
  Table1->OnNewRecord = [this](TDataSet *DataSet) { Table1NewRecord(DataSet); };
  table2->AfterPost = [this](TDataSet *DataSet) { Table2AfterPost(DataSet); };
  table2->AfterDelete = [this](TDataSet *DataSet) { Table2AfterDelete(DataSet); };
  table2->OnNewRecord = [this](TDataSet *DataSet) { Table2NewRecord(DataSet); };
  Table3->AfterPost = [this](TDataSet *DataSet) { Table3AfterPost(DataSet); };
  Table3->AfterDelete = [this](TDataSet *DataSet) { Table3AfterDelete(DataSet); };
  Table3->OnNewRecord = [this](TDataSet *DataSet) { Table3NewRecord(DataSet); };
  Table1setor->OnGetText = [this](TField *Sender, AnsiString &Text, bool DisplayText) {
    Table1setorGetText(Sender, Text, DisplayText);
  };
  DBGrid1->OnKeyPress = [this](TObject *Sender, char &Key) { DBGrid1KeyPress(Sender, Key); };
  DBGrid2->OnKeyPress = [this](TObject *Sender, char &Key) { DBGrid2KeyPress(Sender, Key); };
  DBGrid3->OnKeyPress = [this](TObject *Sender, char &Key) { DBGrid3KeyPress(Sender, Key); };
}

void TForm2::Table1BeforePost(TDataSet *) {
  AnsiString group = Table1grupo->AsString();
  if (group.empty()) group = "-1";
  if (!Found(Query1, "select numero from grupos where numero=" + group)) {
    ShowMessage("Grupo inválido."_a);
    Abort();
  }
  const AnsiString sector = Table1setor->AsString();
  if (sector.empty() || Table1setor->AsInteger() == 0) return;
  if (!Found(Query1, "select numero from setores where numero=" + sector)) {
    ShowMessage("Setor inválido."_a);
    Abort();
  }
}

// A company goes with its rows of dados, in one transaction: when its own row cannot be deleted,
// the rows of dados stay as well (Table1DeleteError).
void TForm2::Table1BeforeDelete(TDataSet *) {
  Form1->Database1->BeginTrans();
  try {
    Query1->SQL.Clear();
    Query1->SQL.Add("delete from dados where empresa=" + Table1numero->AsString());
    Query1->ExecSQL();
  } catch (...) {
    RollbackIgnoringErrors();
    throw;
  }
}

void TForm2::Table1AfterDelete(TDataSet *) {
  try {
    Form1->Database1->CommitTrans();
  } catch (...) {
    RefreshIgnoringErrors(Table1);  // the company is still there
    throw;
  }
  RefreshIgnoringErrors(Table1);
}

void TForm2::Table1DeleteError(TDataSet *, EDatabaseError &, TDataAction &) { RollbackIgnoringErrors(); }

void TForm2::Table1AfterPost(TDataSet *) { RefreshIgnoringErrors(Table1); }
void TForm2::Table2AfterPost(TDataSet *) { RefreshIgnoringErrors(table2); }
void TForm2::Table3AfterPost(TDataSet *) { RefreshIgnoringErrors(Table3); }
void TForm2::Table2AfterDelete(TDataSet *) { RefreshIgnoringErrors(table2); }
void TForm2::Table3AfterDelete(TDataSet *) { RefreshIgnoringErrors(Table3); }

void TForm2::Table1NewRecord(TDataSet *) { DBGrid1->SetSelectedIndex(0); }
void TForm2::Table2NewRecord(TDataSet *) { DBGrid2->SetSelectedIndex(0); }
void TForm2::Table3NewRecord(TDataSet *) { DBGrid3->SetSelectedIndex(0); }

void TForm2::DBGrid1KeyPress(TObject *, char &Key) {
  if (Key == '\r') Form1->GridEnterNext(DBGrid1, Table1);
}

void TForm2::DBGrid2KeyPress(TObject *, char &Key) {
  if (Key == '\r') Form1->GridEnterNext(DBGrid2, table2);
}

void TForm2::DBGrid3KeyPress(TObject *, char &Key) {
  if (Key == '\r') Form1->GridEnterNext(DBGrid3, Table3);
}

void TForm2::Table1setorGetText(TField *Sender, AnsiString &Text, bool) {
  const AnsiString value = Sender->AsString();
  Text = value == "0" ? AnsiString("*Todos*") : Form1->ZeroPad(value, 4);
}
