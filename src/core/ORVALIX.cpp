// The program's main block.

#include "core/UPRINC.h"

#include <QApplication>

int main(int argc, char **argv) {
  QApplication qtApplication(argc, argv);
  TApplication application;
  Application->Initialize();
  Application->Title = "Orvalix Express";
  Application->CreateForm(Form1);
  Application->Run();
  return 0;
}
