// The program's main block.

#include "admin/AccessCode.h"
#include "core/BatchJournal.h"
#include "core/ProgramIcon.h"
#include "core/UPRINC.h"
#include "platform/files/Drive.h"
#include "platform/files/RootLock.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/DisplayServer.h"

#include <QApplication>

namespace {

// Another copy works on this root: this one takes nothing, says so and ends.
int EndSecondCopy(int argc, char **argv) {
  const AnsiString message = "O Orvalix Express já está em execução para a pasta "_a +
                             FromHostName(RootFolder().string()) + ". Esta cópia será encerrada."_a;
  Journal("", message);
  if (!DisplayAvailable(argc, argv)) return 1;
  QApplication qtApplication(argc, argv);
  TApplication application;
  Application->Title = "Orvalix Express";
  ShowMessage(message);
  return 1;
}

}  // namespace

int main(int argc, char **argv) {
  ChooseDisplayServer(argc, argv);
  // Before anything under the root is touched: one program per root.
  std::string lockError;
  const TRootLock lock = LockRootFolder(lockError);
  if (lock == TRootLock::HeldElsewhere) return EndSecondCopy(argc, argv);
  QApplication qtApplication(argc, argv);
  if (lock == TRootLock::Unavailable)
    Journal("", "não foi possível reservar a pasta do programa para esta cópia: "_a + FromHostName(lockError));
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
