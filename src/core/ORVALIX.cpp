// The program's main block.

#include "core/ProgramIcon.h"
#include "core/UPRINC.h"

#include <QApplication>

int main(int argc, char **argv) {
  QApplication qtApplication(argc, argv);
  TApplication application;
  Application->Initialize();
  Application->Title = "Orvalix Express";
  Application->Icon()->SetImage(ProgramIcon());
  Application->CreateForm(Form1);
  Application->Run();
  return 0;
}
