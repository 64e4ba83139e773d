#pragma once
// The help window: how groups and sectors limit what member companies share, in a memo the operator
// may type into; nothing typed is kept.

#include "platform/vcl/Buttons.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Memo.h"
#include "platform/vcl/StdCtrls.h"

class Thelp : public TForm {
 public:
  explicit Thelp(TComponent *AOwner);
  ~Thelp() override;

  TLabel *Label1;
  TMemo *Memo1;
  TBitBtn *BitBtn2;

  void BitBtn2Click(TObject *Sender);
};

extern Thelp *help;
