#pragma once
// The consultation window: person or company, the number in its mask, the customer's record from
// clientes, and the button that runs the credit consultation into the result window.

#include "platform/vcl/Buttons.h"
#include "platform/vcl/Edits.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Mask.h"
#include "platform/vcl/Shapes.h"
#include "platform/vcl/StdCtrls.h"

class TConsulta : public TForm {
 public:
  explicit TConsulta(TComponent *AOwner);
  ~TConsulta() override;

  TImage *Image1;
  TPanel *Panel2;
  TBevel *Bevel1;
  TRadioButton *RadioButton1;
  TRadioButton *RadioButton2;
  TLabel *Label1;
  TMaskEdit *DOC;
  TPanel *Panel1;
  TPanel *Panel3;
  TLabel *ddd;
  TEdit *nome;
  TLabel *Label2;
  TEdit *endereco;
  TLabel *poden;
  TEdit *bairro;
  TLabel *Label12;
  TEdit *cep;
  TLabel *Label3;
  TEdit *cidade;
  TLabel *Label4;
  TEdit *uf;
  TLabel *Label5;
  TEdit *telefone;
  TLabel *Label10;
  TEdit *fax;
  TLabel *Label14;
  TEdit *celular;
  TLabel *Label7;
  TEdit *email;
  TLabel *Label6;
  TEdit *rg;
  TBitBtn *SpeedButton1;
  TSpeedButton *limpa;
  TBitBtn *BitBtn2;

  void FormCreate(TObject *Sender);
  void FormShow(TObject *Sender);
  void FormClose(TObject *Sender, TCloseAction &Action);
  void RadioButton1Click(TObject *Sender);
  void RadioButton2Click(TObject *Sender);
  void RadioButton1KeyDown(TObject *Sender, WORD &Key, TShiftState Shift);
  void DOCKeyPress(TObject *Sender, char &Key);
  void SpeedButton1Click(TObject *Sender);
  void limpaClick(TObject *Sender);
  void BitBtn2Click(TObject *Sender);

  // Fills the record boxes from the customer's row of clientes; false without digits or without a row.
  bool LoadClientRecord(const AnsiString &text);
  // The credit consultation of the document's digits, into the result window.
  void RunConsultation(const AnsiString &document);
};

extern TConsulta *Consulta;
