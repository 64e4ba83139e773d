#pragma once
// A main window of its own for each test, on a temporary drive C: with the ODBC driver in place, the
// network present and every message box answered through the seam.

#include "core/UPRINC.h"
#include "platform/files/FileSystem.h"
#include "platform/vcl/Dialogs.h"
#include "platform/win/WinInet.h"
#include "support/Database.h"
#include "support/TestSql.h"
#include "support/TempDrive.h"

#include <gtest/gtest.h>

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDir("C:\\WINDOWS");
    testdb::LinkOdbcDriver(drive);
    SetConnectedStateForTesting(TConnectedState{1, INTERNET_CONNECTION_LAN});
    Application->ResetForTesting();
    Application->Title = "Orvalix Express";
  }

  void TearDown() override {
    delete Form1;
    Form1 = nullptr;
    Application->ResetForTesting();
    SetConnectedStateForTesting(std::nullopt);
  }

  // Builds the main window as the main block does; its start-up runs.
  TForm1 &CreateMainWindow() {
    Application->CreateForm(Form1);
    return *Form1;
  }

  bool MarkerExists() const { return FileExists("C:\\WINDOWS\\active.conf"); }

  void WriteLocalConfig(const AnsiString &member) {
    drive.WriteFile("C:\\WINDOWS\\orvalix.cfg", "Orvalix\r\n" + ScrambleText(member, 4) + "\r\n");
  }

  TempDrive drive;
  MessageBoxSeam boxes;
};
