#pragma once
// The report of the print path: the result's rich text on an A4 page, shown in a print preview.

#include "platform/vcl/QuickRpt.h"

class Torvalix_consulta : public TQuickRep {
 public:
  explicit Torvalix_consulta(TComponent *AOwner);
  ~Torvalix_consulta() override;

  TQRBand *QRBand1;
  TQRRichText *rick;
};

extern Torvalix_consulta *orvalix_consulta;
