#pragma once
// The wait window: a small black strip with "Aguarde..." at the top-left corner of the screen, shown
// without blocking while the consultation's queries hold the thread.

#include "platform/vcl/Forms.h"
#include "platform/vcl/Shapes.h"
#include "platform/vcl/StdCtrls.h"

class Taguarde : public TForm {
 public:
  explicit Taguarde(TComponent *AOwner);
  ~Taguarde() override;

  TShape *Shape1;
  TBevel *Bevel1;
  TLabel *AGUARDE;
};

extern Taguarde *aguarde;
