#pragma once
// Data-update files on a connected main window: statements on dados numbered by their customer, and
// the rows they leave.

#include "BatchFixture.h"

#include <QThread>

#include <string>

class UpdateFileTest : public BatchTest {
 protected:
  // One statement on one line: the row of customer n.
  static std::string Insert(int n) {
    return "INSERT INTO DADOS (cnpj_cpf,empresa,data_mov) VALUES ('" + std::to_string(n) + "',1,'2026/12/08');";
  }
  // count such lines from customer first, each ended by CR LF.
  static std::string Inserts(int first, int count) {
    std::string text;
    for (int n = first; n < first + count; ++n) text += Insert(n) + "\r\n";
    return text;
  }
  int Rows() { return sql.Value(QStringLiteral("select count(*) from dados")).toInt(); }
  // Rows of customers that came more than once.
  int Repeated() {
    return sql.Value(QStringLiteral("select count(*) from (select cnpj_cpf from dados group by cnpj_cpf "
                                    "having count(*)>1) r"))
        .toInt();
  }
  bool InProgress() { return ::Visible(Form().Panel1); }
  int Position() { return Form().pb1->value(); }
  int Maximum() { return Form().pb1->maximum(); }
  // Messages of dropped lines so far.
  int Dropped() {
    int count = 0;
    for (const TMessageBoxCall &call : boxes.Calls()) {
      EXPECT_EQ(call.Text, "ERRO DE INSTRUÇÃO: CONSULTE SEU PROGRAMADOR."_a);
      EXPECT_EQ(call.Caption, "Orvalix Express");
      EXPECT_EQ(call.Flags, MB_OK);
      ++count;
    }
    return count;
  }
  // Continue ticks until the file in progress ends; gives their number.
  int TicksToEnd() {
    int ticks = 0;
    while (InProgress() && ticks < 1000) {
      Tick();
      ++ticks;
    }
    return ticks;
  }
  void RestartProgram() {
    delete Form1;
    Form1 = nullptr;
    Application->ResetForTesting();
    CreateMainWindow();
    Form1->Timer2->SetEnabled(false);
    // The files there at the start stand still from then on: by the second tick, they have for a second.
    QThread::msleep(1000);
  }
  static constexpr const char *kFirst = "INSERE_DADO0001.TXT";
  static constexpr const char *kFirstPath = "C:\\ORVALIX\\REMESSA\\INSERE_DADO0001.TXT";
};
