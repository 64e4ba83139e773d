#pragma once
// The administration window: locked behind the access code until the code valid this hour is typed,
// then the grids of the member companies, their groups and their sectors, edited directly in the
// association's database, with the buttons of the SQL console, the statistics and the help.

#include "platform/db/ADODB.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/DBCtrls.h"
#include "platform/vcl/DBGrids.h"
#include "platform/vcl/Edits.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Shapes.h"
#include "platform/vcl/StdCtrls.h"

#include <cstdint>

class TForm2 : public TForm {
 public:
  explicit TForm2(TComponent *AOwner);
  ~TForm2() override;

  // The access gate.
  TImage *Image1;
  TBevel *Bevel1;
  TBevel *Bevel2;
  TLabel *Label2;
  TEdit *Edit1;
  TLabel *Label1;
  TPanel *Panel1;
  TBitBtn *Button1;
  TSpeedButton *SpeedButton1;
  TSpeedButton *SpeedButton2;
  TShape *Shape1;
  TBitBtn *BitBtn2;

  // The member tables.
  TADOTable *Table1;
  TIntegerField *Table1numero;
  TStringField *Table1nome;
  TStringField *Table1ativo;
  TIntegerField *Table1grupo;
  TIntegerField *Table1setor;
  TADOTable *table2;
  TIntegerField *table2numero;
  TStringField *table2nome;
  TADOTable *Table3;
  TIntegerField *Table3numero;
  TStringField *Table3nome;
  TADOQuery *Query1;
  TDataSource *DataSource1;
  TDataSource *DataSource2;
  TDataSource *DataSource3;
  TBevel *Bevel3;
  TBevel *Bevel4;
  TBevel *Bevel5;
  TLabel *Label3;
  TLabel *Label4;
  TLabel *Label5;
  TDBGrid *DBGrid1;
  TDBGrid *DBGrid2;
  TDBGrid *DBGrid3;
  TDBNavigator *DBNavigator1;
  TDBNavigator *DBNavigator2;
  TDBNavigator *DBNavigator3;

  void FormCreate(TObject *Sender);
  void FormClose(TObject *Sender, TCloseAction &Action);
  void Edit1KeyPress(TObject *Sender, char &Key);
  // The SQL console, the statistics and the help, each owned by this window while it is shown.
  void SpeedButton1Click(TObject *Sender);
  void SpeedButton2Click(TObject *Sender);
  void Button1Click(TObject *Sender);
  void BitBtn2Click(TObject *Sender);

  void Table1BeforePost(TDataSet *DataSet);
  void Table1AfterPost(TDataSet *DataSet);
  void Table1BeforeDelete(TDataSet *DataSet);
  void Table1AfterDelete(TDataSet *DataSet);
  void Table1DeleteError(TDataSet *DataSet, EDatabaseError &E, TDataAction &Action);
  void Table1NewRecord(TDataSet *DataSet);
  void Table2AfterPost(TDataSet *DataSet);
  void Table2AfterDelete(TDataSet *DataSet);
  void Table2NewRecord(TDataSet *DataSet);
  void Table3AfterPost(TDataSet *DataSet);
  void Table3AfterDelete(TDataSet *DataSet);
  void Table3NewRecord(TDataSet *DataSet);
  void DBGrid1KeyPress(TObject *Sender, char &Key);
  void DBGrid2KeyPress(TObject *Sender, char &Key);
  void DBGrid3KeyPress(TObject *Sender, char &Key);
  void Table1setorGetText(TField *Sender, AnsiString &Text, bool DisplayText);

 private:
  void CreateMemberTables();
  std::uint8_t attempts_ = 0;
};

extern TForm2 *Form2;
