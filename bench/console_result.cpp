// The SQL console on a select over all of a large dados (default 1,000,000 rows, seeded when it holds
// another number): time from "<F9>" to the first rows painted in the grid, and the process's peak
// memory. "unbounded" opens the statement as the console did before its bound (every row read into
// the shared query); "console" runs it through the console. Each runs in a process of its own, so that
// its peak is its own; without an argument both run. On the database of the build (scripts/db start).
//   bench_console_result [rows] [unbounded|console]

#include "BenchDrive.h"
#include "BenchMainWindow.h"
#include "admin/UInstr_sql.h"
#include "core/CreditQueries.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cstring>

namespace {

const char *const kStatement = "select * from dados";

long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

void Seed(long rows) {
  TADOQuery count(nullptr);
  count.SetConnection(Form1->Database1);
  count.SQL.Add("select count(*) n from dados");
  count.Open();
  if (count.FieldByName("n")->AsFloat() == rows) return;
  std::printf("seeding dados with %ld rows\n", rows);
  Form1->Database1->Execute("delete from dados");
  Form1->Database1->Execute(
      "insert into dados (cnpj_cpf, empresa, data_mov, chp_dev, chp_dev_vlr, cht_dev, cht_dev_vlr, tit_em_ab, "
      "chp_acomp, cht_acomp, chq_dev_outros, chq_dev_outros_vlr) select lpad(seq mod 99991, 11, '0'), seq mod 50 + 1, "
      "'2026-01-01' + interval (seq mod 365) day, seq mod 3, (seq mod 1000) * 1.25, seq mod 2, (seq mod 777) * 2.5, "
      "(seq mod 555) * 3.75, 0, 0, seq mod 4, seq mod 4 * 10.5 from seq_1_to_" +
      IntToStr(rows));
}

// A one-row statement of the batch on the shared query, in milliseconds.
double OneRowSelect() {
  QElapsedTimer clock;
  clock.start();
  SendQuery(*Form1->quecon, MemberQuerySql("000001"));
  Form1->quecon->Close();
  return clock.nsecsElapsed() / 1e6;
}

int Run(const char *mode) {
  const bool console = std::strcmp(mode, "console") == 0;
  TInstr_SQL window(Form1);
  window.Show();
  window.Repaint();
  const double oneRowBefore = OneRowSelect();
  const long baseline = PeakMegabytes();
  window.Memo1->setPlainText(kStatement);
  QElapsedTimer clock;
  clock.start();
  if (console) {
    window.SpeedButton1->Click();
  } else {
    SendQuery(*Form1->quecon, {kStatement});
  }
  window.DBGrid1->viewport()->repaint();
  const double firstRows = clock.nsecsElapsed() / 1e6;
  std::printf("%-9s %7d rows held, first rows on screen after %8.1f ms, peak memory %5ld MB (%ld MB before)\n",
              mode, Form1->quecon->RecordCount(), firstRows, PeakMegabytes(), baseline);
  // The batch's statements on the shared connection while the result is shown; they replace it.
  std::printf("%-9s one-row select of the batch: %.2f ms before, %.2f ms with the result shown\n", mode,
              oneRowBefore, OneRowSelect());
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
  if (argc > 2) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApplication(argc, argv);
    TApplication application;
    BenchDrive drive;
    if (!StartConnectedMainWindow()) return 1;
    if (std::strcmp(argv[2], "seed") == 0) {
      Seed(rows);
      return 0;
    }
    const int status = Run(argv[2]);
    delete Form1;
    return status;
  }
  for (const char *mode : {"seed", "unbounded", "console"})
    if (QProcess::execute(QString::fromLocal8Bit(argv[0]), {QString::number(rows), mode}) != 0) return 1;
  return 0;
}
