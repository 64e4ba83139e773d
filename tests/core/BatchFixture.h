#pragma once
// A connected main window whose batch ticks the tests call one by one, with the database's tables
// emptied first and the program's clock on 8 December 2026.

#include "MainWindowFixture.h"

#include "platform/sys/DateTime.h"
#include "platform/win/Registry.h"

#include <QDateTime>
#include <QThread>
#include <chrono>
#include <filesystem>

class BatchTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    SetClockForTesting(QDateTime(QDate(2026, 12, 8), QTime(10, 30)));
    sql.ResetTables();
    TForm1 &form = CreateMainWindow();
    form.Timer2->SetEnabled(false);
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    SetClockForTesting(std::nullopt);
  }

  TForm1 &Form() { return *Form1; }
  void Tick() { Form1->Timer2Timer(Form1->Timer2); }
  // The first tick connects; no command file is touched in it.
  void Connect() {
    Tick();
    ASSERT_TRUE(Form1->Database1->Connected());
    ASSERT_TRUE(MarkerExists());
  }
  // A command file as its writer leaves it: written and closed while the program watches. One whose
  // last line has no end is taken only once the program has seen it stand still a second: a tick sees
  // it, and the second passes.
  void Drop(const AnsiString &name, const std::string &bytes) {
    drive.WriteFile("C:\\ORVALIX\\REMESSA\\" + name, bytes);
    if (bytes.empty() || (bytes.back() != '\n' && bytes.back() != '\r')) {
      Tick();
      QThread::msleep(1000);
    }
  }
  void Settle(const AnsiString &name) {
    using namespace std::chrono_literals;
    const auto host = drive.Host("C:\\ORVALIX\\REMESSA\\" + name);
    std::filesystem::last_write_time(host, std::filesystem::file_time_type::clock::now() - 5s);
  }
  bool Waiting(const AnsiString &name) { return FileExists("C:\\ORVALIX\\REMESSA\\" + name); }
  bool Answered(const AnsiString &name) { return FileExists("C:\\ORVALIX\\RETORNO\\" + name); }
  std::string Answer(const AnsiString &name) { return drive.ReadFile("C:\\ORVALIX\\RETORNO\\" + name); }
  // Drops a consultation file, runs one tick and gives RET0001.ret's bytes ("(none)" when none).
  std::string Consult(const std::string &line) {
    DeleteFile("C:\\ORVALIX\\RETORNO\\RET0001.ret");
    Drop("CONS0001.TXT", line + "\r\n");
    Tick();
    EXPECT_FALSE(Waiting("CONS0001.TXT")) << line;
    return Answered("RET0001.ret") ? Answer("RET0001.ret") : std::string("(none)");
  }
  void SetPort(const AnsiString &port) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("\\Software\\ODBC\\ODBC.INI\\Check", false));
    registry.WriteString("Port", port);
  }

  testdb::Sql sql;
};
