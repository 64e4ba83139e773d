#pragma once
// The statistics window: eight figures over the whole shared database, computed on the main window's
// query before the window is shown.

#include "platform/vcl/Buttons.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Shapes.h"
#include "platform/vcl/StdCtrls.h"

class TSTATUS : public TForm {
 public:
  // Runs FormCreate at the end, as the class library does when a form is made.
  explicit TSTATUS(TComponent *AOwner);
  ~TSTATUS() override;

  TImage *Image1;
  TBevel *Bevel1;
  TShape *Shape1;
  TLabel *Label1;
  TBitBtn *BitBtn2;
  TLabel *Label2;
  TLabel *Label3;
  TLabel *Label5;
  TLabel *Label7;
  TLabel *Label9;
  TLabel *Label10;
  TLabel *Label13;
  TLabel *Label14;
  TLabel *A;
  TLabel *B;
  TLabel *C;
  TLabel *D;
  TLabel *E;
  TLabel *F;
  TLabel *G;
  TLabel *H;

  void FormCreate(TObject *Sender);
  void BitBtn2Click(TObject *Sender);
  // Runs the five statements on Form1->quecon and sets the value labels; catches nothing, so an error
  // leaves the labels set so far and travels on to the caller.
  void FillStatistics();
};

extern TSTATUS *STATUS;
