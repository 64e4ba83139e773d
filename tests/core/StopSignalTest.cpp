// SIGTERM and SIGINT end the program as a close answered Yes would: after the tick in progress, with the
// connection closed and its marker gone, and a data-update file in progress left to resume.

#include "UpdateFileFixture.h"

#include <QTest>
#include <csignal>

namespace {

struct StopCase {
  const char *what;
  int signal;
  bool insideTick;  // raised while a tick shows its message, else between two ticks
};

void PrintTo(const StopCase &c, std::ostream *os) { *os << c.what; }

class StopSignal : public UpdateFileTest, public ::testing::WithParamInterface<StopCase> {
 protected:
  void SetUp() override {
    UpdateFileTest::SetUp();
    Application->Initialize();
  }
};

TEST_P(StopSignal, DuringADataUpdateFileEndsDisconnectedAndEveryStatementRunsOnce) {
  const StopCase &c = GetParam();
  Connect();
  Drop(kFirst, Inserts(1, 2) + "-- dropped\r\n" + Inserts(3, 5));
  Tick();  // begins the file
  Tick();  // statements 1 and 2
  if (c.insideTick) {
    boxes.SetAnswer([&](const TMessageBoxCall &) {
      std::raise(c.signal);
      return IDOK;
    });
  } else {
    std::raise(c.signal);
  }
  Tick();  // the dropped line and statement 3: the signal waits for the event loop
  EXPECT_EQ(Rows(), 3);
  EXPECT_FALSE(Application->Terminated());
  ASSERT_TRUE(QTest::qWaitFor([] { return Application->Terminated(); }, 5000));
  EXPECT_FALSE(Form().Database1->Connected());
  EXPECT_FALSE(MarkerExists());
  EXPECT_FALSE(Form().Timer3->Enabled());
  EXPECT_FALSE(InProgress());
  EXPECT_FALSE(Form().UpdateFileOpen);
  EXPECT_TRUE(Waiting(kFirst));

  RestartProgram();
  Tick();  // connects
  Tick();  // resumes after statement 3
  TicksToEnd();
  EXPECT_EQ(Rows(), 7);
  EXPECT_EQ(Repeated(), 0);
  EXPECT_FALSE(Waiting(kFirst));
  EXPECT_EQ(Dropped(), 1);
}

INSTANTIATE_TEST_SUITE_P(Signals, StopSignal,
                         ::testing::Values(StopCase{"SIGTERM between ticks", SIGTERM, false},
                                           StopCase{"SIGINT inside a tick", SIGINT, true}));

}  // namespace
