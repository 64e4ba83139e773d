// The double click on the status label: the administration window, then the consultation entries
// decided again (the window may have dropped the connection, which hid them).

#include "core/UPRINC.h"

#include "admin/UDados_empresas.h"

#include <memory>

void TForm1::Label2DblClick(TObject *) {
  const std::unique_ptr<TForm2> window(new TForm2(this));
  Form2 = window.get();
  Form2->ShowModal();
  cons->setVisible(!LoadLocalConfig().empty());
  Consultar1->Visible = ::Visible(cons);
}
