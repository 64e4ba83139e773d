// The program's main block.

#include "admin/AccessCode.h"
#include "core/BatchJournal.h"
#include "core/ProgramIcon.h"
#include "core/UPRINC.h"
#include "platform/vcl/DisplayServer.h"

#include <QApplication>

int main(int argc, char **argv) {
  ChooseDisplayServer(argc, argv);
  QApplication qtApplication(argc, argv);
  if (UsesDemoAccessKey())
    Journal("", "o código de acesso da administração usa a chave de demonstração, que o README publica: "
                "compile com ORVALIX_ACCESS_KEY antes de entregar o programa"_a);
  TApplication application;
  Application->Initialize();
  Application->Title = "Orvalix Express";
  Application->Icon()->SetImage(ProgramIcon());
  Application->CreateForm(Form1);
  Application->Run();
  return 0;
}
