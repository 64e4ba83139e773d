#include "core/BatchJournal.h"
#include "core/FailureWeight.h"

#include "platform/files/TextFile.h"
#include "platform/sys/Exceptions.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

template <typename Error>
TFailureWeight Weigh(Error error) {
  return WeighFailure(std::make_exception_ptr(error));
}

TEST(FailureWeight, OnlyTheFilesOwnFaultsCount) {
  using enum TFailureWeight;
  const struct {
    int code;
    const char *message;
    TFailureWeight weight;
  } server[] = {
      {1064, "You have an error in your SQL syntax", Counts},
      {1054, "Unknown column 'x' in 'field list'", Counts},
      {1305, "FUNCTION quendara.f does not exist", Counts},
      {1366, "Incorrect integer value: 'a' for column", Counts},
      {1264, "Out of range value for column 'chp_dev'", Counts},
      {1062, "Duplicate entry '1' for key 'PRIMARY'", Counts},
      {1136, "Column count doesn't match value count at row 1", Counts},
      {1146, "Table 'quendara.dadosx' doesn't exist", Counts},
      {1146, "Table 'quendara.DADOS' doesn't exist", None},  // the server compares names with case
      {1969, "Query execution was interrupted (max_statement_time exceeded)", Counts},
      {1205, "Lock wait timeout exceeded; try restarting transaction", None},
      {1213, "Deadlock found when trying to get lock", None},
      {1142, "INSERT command denied to user", None},
      {1290, "The MariaDB server is running with the --read-only option", None},
      {1114, "The table 'dados' is full", None},
      {1040, "Too many connections", None},
      {1440, "XAER_DUPID: The XID already exists", None},
      {0, "an error without a number", None},
      {4242, "a code of a later server", None},
  };
  for (const auto &c : server) EXPECT_EQ(Weigh(EDatabaseError(c.message, c.code)), c.weight) << c.code << " " << c.message;
  EXPECT_EQ(Weigh(EDatabaseError("Lost connection to server during query", 2013, true)), None);
  EXPECT_EQ(Weigh(EDatabaseError("Unknown column", 1054, true)), None);  // the link failed with it
  EXPECT_EQ(Weigh(EStringListError("List index out of bounds (1)")), Counts);
  EXPECT_EQ(Weigh(EInOutError("Path not found", 3)), None);
  EXPECT_EQ(Weigh(EInOutError("Disk write error", 101)), None);
  EXPECT_EQ(Weigh(EInOutError("I/O error 1920", kNotAFile)), AtOnce);
  EXPECT_EQ(Weigh(EInOutError("I/O error 223", kLineTooLong)), AtOnce);
}

TEST(TickJournal, TellsAFaultOnceThenOnceAMinuteAndWhenTheQueueMovesAgain) {
  const auto at = [](int minute, int second) {
    SetClockForTesting(QDateTime(QDate(2026, 12, 8), QTime(10, minute, second)));
  };
  TTickJournal journal;
  testing::internal::CaptureStderr();
  at(0, 0);
  journal.Failed("CONS1.TXT", "falha");
  at(0, 30);
  journal.Failed("CONS1.TXT", "falha");
  journal.Failed("-", "sem ligação"_a);
  at(1, 0);
  journal.Failed("CONS1.TXT", "falha");
  at(1, 10);
  journal.Failed("CONS1.TXT", "falha");
  journal.Moved();
  journal.Moved();
  SetClockForTesting(std::nullopt);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "08/12/2026 10:00:00 CONS1.TXT: falha\n"
            "08/12/2026 10:00:30 -: sem ligação\n"
            "08/12/2026 10:01:00 CONS1.TXT: falha (mais 2 tentativas falharam desde 10:00:00)\n"
            "08/12/2026 10:01:10 -: a fila voltou a andar depois de 5 tentativas falhas\n");
}

TEST(TickJournal, CountsEachQueueOnItsOwn) {
  TTickJournal journal;
  testing::internal::CaptureStderr();
  for (const int second : {0, 20, 40, 60}) {
    SetClockForTesting(QDateTime(QDate(2026, 12, 8), QTime(10, second / 60, second % 60)));
    journal.Failed("INSERE_DADO1.TXT", "somente leitura");
    journal.Moved("CONS");  // a consultation answered meanwhile
  }
  journal.Moved("INSERE_DADO");
  SetClockForTesting(std::nullopt);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "08/12/2026 10:00:00 INSERE_DADO1.TXT: somente leitura\n"
            "08/12/2026 10:01:00 INSERE_DADO1.TXT: somente leitura (mais 3 tentativas falharam desde 10:00:00)\n"
            "08/12/2026 10:01:00 INSERE_DADO: a fila voltou a andar depois de 4 tentativas falhas\n");
}

}  // namespace
