#pragma once
// The result window: the filled template in a read-only rich edit with a red frame and the heading
// "Atenção". While it lives, its timer keeps a single blank on the clipboard.

#include "platform/vcl/Buttons.h"
#include "platform/vcl/Edits.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/RichEdit.h"
#include "platform/vcl/Shapes.h"
#include "platform/vcl/StdCtrls.h"

class Torvalix_mostra_consulta : public TForm {
 public:
  explicit Torvalix_mostra_consulta(TComponent *AOwner);
  ~Torvalix_mostra_consulta() override;

  TShape *Shape1;
  TBevel *Bevel3;
  TLabel *Label1;
  TLabel *Label2;
  TRichEdit *rick;
  TBitBtn *BitBtn5;
  TBitBtn *BitBtn2;
  TEdit *Edit1;
  TTimer *Timer1;

  void BitBtn2Click(TObject *Sender);
  void Timer1Timer(TObject *Sender);
  void BitBtn5Click(TObject *Sender);
};

extern Torvalix_mostra_consulta *orvalix_mostra_consulta;
