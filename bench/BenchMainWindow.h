#pragma once
// The program's main window on the benchmark's drive, connected, its batch timer stopped so that the
// benchmark calls the ticks itself.

#include "core/UPRINC.h"

#include <cstdio>

inline void Tick() { Form1->Timer2Timer(Form1->Timer2); }

inline bool StartConnectedMainWindow() {
  Application->Initialize();
  Application->Title = "Orvalix Express";
  Application->CreateForm(Form1);
  Form1->Timer2->SetEnabled(false);
  Tick();  // connects
  if (!Form1->Database1->Connected()) {
    std::printf("no connection (is the database running?)\n");
    return false;
  }
  return true;
}
