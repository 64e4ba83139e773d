// A data-update file of 10,000 single-line statements worked through by the batch tick: the tick's own
// time per statement (reading the file, the bar, the progress kept for a resume), apart from the
// server's round trips, which are measured alone on the same connection and taken off.

#include "BenchDrive.h"
#include "BenchMainWindow.h"
#include "core/UpdateProgress.h"

#include <QApplication>
#include <QElapsedTimer>
#include <string>

namespace {

constexpr int kStatements = 10000;

AnsiString Statement(int n) {
  return "INSERT INTO DADOS (cnpj_cpf,empresa,data_mov,chp_dev) VALUES ('BENCH" + IntToStr(n) +
         "',1,'2026/12/08',1);";
}

struct Span {
  double wall = 0;  // ms
  double cpu = 0;   // ms of this process
};

template <typename Work>
Span Measure(Work work) {
  QElapsedTimer clock;
  clock.start();
  const double cpu = CpuMilliseconds();
  work();
  return {clock.nsecsElapsed() / 1e6, CpuMilliseconds() - cpu};
}

void Exec(const AnsiString &statement) {
  Form1->quecon->SQL.Clear();
  Form1->quecon->SQL.Add(statement);
  Form1->quecon->ExecSQL();
}

void Report(const char *what, const Span &span, int count) {
  std::printf("%-52s %9.1f us wall %9.1f us CPU\n", what, span.wall * 1000 / count, span.cpu * 1000 / count);
}

}  // namespace

int main(int argc, char **argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qtApplication(argc, argv);
  TApplication application;
  BenchDrive drive;
  if (!StartConnectedMainWindow()) return 1;
  Exec("DELETE FROM DADOS WHERE cnpj_cpf LIKE 'BENCH%'");

  // The server's share: the same statements and the keep-alive of every tick, sent alone.
  const Span server = Measure([] {
    for (int n = 0; n < kStatements; ++n) Exec(Statement(n));
  });
  const Span keepAlive = Measure([] {
    for (int n = 0; n < kStatements / 2; ++n) Form1->Querytimer->ExecSQL();
  });
  Exec("DELETE FROM DADOS WHERE cnpj_cpf LIKE 'BENCH%'");

  std::string file;
  for (int n = 0; n < kStatements; ++n) file += Statement(n) + "\r\n";
  BenchDrive::Write("C:\\Orvalix\\Remessa\\INSERE_DADO0001.TXT", file);
  const Span start = Measure([] { Tick(); });
  int ticks = 0;
  const Span run = Measure([&] {
    while (Form1->Panel1->isVisibleTo(Form1->Widget()) && ticks < kStatements) {
      Tick();
      ++ticks;
    }
  });
  Form1->quecon->SQL.Clear();
  Form1->quecon->SQL.Add("SELECT COUNT(*) AS n FROM DADOS WHERE cnpj_cpf LIKE 'BENCH%'");
  Form1->quecon->Open();
  const AnsiString rows = Form1->quecon->FieldByName("n")->AsString();
  Form1->quecon->Close();
  Exec("DELETE FROM DADOS WHERE cnpj_cpf LIKE 'BENCH%'");

  // The progress kept for a resume, alone: one save of the state file per statement.
  TUpdateProgressFile progress(WindowsDir() + "\\bench_progress.conf");
  BenchDrive::Write("C:\\Orvalix\\Remessa\\BENCH.TXT", "x");
  const Span saves = Measure([&] {
    for (int n = 0; n < kStatements; ++n) {
      ++progress.Resume("C:\\Orvalix\\Remessa\\BENCH.TXT", {}, [](const TUpdateProgress &) { return true; }).Done;
      progress.Save();
    }
  });

  const Span own{run.wall - server.wall - keepAlive.wall, run.cpu - server.cpu - keepAlive.cpu};
  std::printf("data-update file of %d statements: %d continue ticks, %s rows inserted\n", kStatements, ticks,
              rows.c_str());
  std::printf("start tick (counting pass, file opened): %.1f ms wall, %.1f ms CPU\n", start.wall, start.cpu);
  Report("continue ticks, per statement", run, kStatements);
  Report("  the statement alone on the connection", server, kStatements);
  Report("  the keep-alive after each tick, per statement", keepAlive, kStatements);
  Report("  the tick's own time, per statement", own, kStatements);
  Report("    of which the progress file's save", saves, kStatements);
  std::printf("the design's pace: %d ticks at 500 ms = %.0f s for the file\n", ticks, ticks * 0.5);
  delete Form1;
  Form1 = nullptr;
  return rows == IntToStr(kStatements) ? 0 : 1;
}
