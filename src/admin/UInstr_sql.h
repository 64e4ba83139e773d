#pragma once
// The SQL console: any statement typed into the memo runs on the main window's shared query, with F9 or
// "<F9>", and its result shows in the grid, where the rows of one table read with its key can be edited.
// The console holds no query of its own.

#include "platform/db/DB.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/DBGrids.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Memo.h"
#include "platform/vcl/Shapes.h"
#include "platform/vcl/StdCtrls.h"

class TInstr_SQL : public TForm {
 public:
  // Runs FormCreate at the end, as the class library does when a form is made.
  explicit TInstr_SQL(TComponent *AOwner);
  ~TInstr_SQL() override;

  // The most rows a result shows: a select over a whole large table would otherwise hold the program
  // for seconds and take its memory. Label3 tells the operator when a result had more.
  static constexpr int kShownRecords = 10000;

  TImage *Image1;
  TBevel *Bevel3;
  TLabel *Label1;
  TMemo *Memo1;
  TSpeedButton *SpeedButton1;
  TSpeedButton *SpeedButton2;
  TLabel *Label2;
  TLabel *Label3;
  TDBGrid *DBGrid1;
  TDataSource *DataSource1;
  TBitBtn *BitBtn2;

  void FormCreate(TObject *Sender);
  void Memo1KeyDown(TObject *Sender, WORD &Key, TShiftState Shift);
  void SpeedButton1Click(TObject *Sender);
  void SpeedButton2Click(TObject *Sender);
  void BitBtn2Click(TObject *Sender);
  void DBGrid1Exit(TObject *Sender);
  void FormClose(TObject *Sender, TCloseAction &Action);

 private:
  // Posts a row in editing as leaving the grid does, before the result is closed or replaced; a refused
  // post shows its error and gives false.
  bool PostResult();
  // Label3 follows the shared query, whoever opens or closes it.
  TDataLink resultLink_;
};

extern TInstr_SQL *Instr_SQL;
