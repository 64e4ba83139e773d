// The SQL console on the main window's shared query, against the real database.

#include "admin/UInstr_sql.h"
#include "core/BatchFixture.h"
#include "core/CreditQueries.h"

#include <QTest>

namespace {

class SqlConsole : public BatchTest {
 protected:
  void SetUp() override {
    BatchTest::SetUp();
    Connect();
    sql.Exec("insert into empresas (numero, nome) values (1, 'ALFA'), (2, 'BETA')");
    sql.Exec("insert into grupos (numero, nome) values (1, 'CENTRO')");
    OpenConsole();
  }
  void OpenConsole() {
    delete console;
    console = new TInstr_SQL(Form1);
  }
  void Run(const QString &text) {
    console->Memo1->setPlainText(text);
    console->SpeedButton1->Click();
  }
  QAbstractItemModel &Grid() { return *console->DBGrid1->model(); }
  QString Cell(int row, int column) { return Grid().index(row, column).data().toString(); }
  bool Cut() { return console->Label3->isVisibleTo(console->Widget()); }

  TInstr_SQL *console = nullptr;  // the main window owns it
};

TEST_F(SqlConsole, ABadStatementShowsItsErrorAndAnEmptyMemoRunsNothing) {
  const struct {
    const char *text;
    const char *message;  // none: no box, the last result stays
  } cases[] = {
      {"   ", "Query was empty"},
      {"selec * from empresas", "SQL syntax"},
      {"update empresas set nome = 'GAMA' where numero = 2", "does not return a result set"},
      {"create table outra (a int)", "denied"},
      {"", nullptr},
  };
  for (const auto &c : cases) {
    Run("select * from empresas");
    const std::size_t shown = boxes.Calls().size();
    Run(c.text);
    EXPECT_EQ(console->Memo1->toPlainText(), c.text);
    EXPECT_EQ(Grid().rowCount(), c.message ? 0 : 2) << c.text;
    if (!c.message) {
      EXPECT_EQ(boxes.Calls().size(), shown);
      continue;
    }
    ASSERT_EQ(boxes.Calls().size(), shown + 1) << c.text;
    EXPECT_EQ(boxes.Calls().back().Text.substr(0, 23), "SQL Resultou em erro: \r") << c.text;
    EXPECT_NE(boxes.Calls().back().Text.find(c.message), AnsiString::npos) << boxes.Calls().back().Text;
    EXPECT_EQ(boxes.Calls().back().Caption, "Orvalix Express");
  }
  EXPECT_EQ(sql.Value("select nome from empresas where numero = 2").toString(), "GAMA");  // carried out
}

TEST_F(SqlConsole, F9InAnyShiftStateRunsTheStatement) {
  for (Qt::KeyboardModifiers shift : {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier}) {
    SetStatement(*Form1->quecon, {});
    console->Memo1->setPlainText("select nome from grupos");
    QTest::keyClick(console->Memo1, Qt::Key_F8, shift);
    EXPECT_FALSE(Form1->quecon->Active()) << shift;
    QTest::keyClick(console->Memo1, Qt::Key_F9, shift);
    EXPECT_EQ(Cell(0, 0), "CENTRO") << shift;
  }
}

TEST_F(SqlConsole, ASelectReplacesTheLastOneAndStaysOpenUntilClosedByTheButton) {
  Form1->Timer3->SetEnabled(false);
  Run("select numero, nome from empresas order by numero");
  EXPECT_TRUE(Form1->Timer3->Enabled());  // every opening restarts the keep-alive
  EXPECT_EQ(Cell(1, 1), "BETA");
  EXPECT_GT(console->DBGrid1->columnWidth(1), 3 * console->DBGrid1->columnWidth(0));  // 50 characters, 10 digits
  Run("select nome from grupos");
  EXPECT_EQ(Grid().columnCount(), 1);
  OpenConsole();  // the result outlives the console that ran it
  EXPECT_EQ(Cell(0, 0), "CENTRO");
  for (int click = 0; click < 2; ++click) {  // the second finds the query closed
    console->SpeedButton2->Click();
    EXPECT_EQ(Grid().rowCount(), 0);
  }
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_EQ(console->SpeedButton2->toolTip(), "Fecha tabela abaixo quando aberta");
}

TEST_F(SqlConsole, AResultTooLargeIsCutVisiblyAndTheOtherUsersOfTheQueryAreNot) {
  const int rows = TInstr_SQL::kShownRecords + 5;
  sql.Exec(QStringLiteral("insert into dados (cnpj_cpf, empresa, data_mov) select seq, 1, '2026-12-01' "
                          "from seq_1_to_%1").arg(rows));
  Run("select * from dados");
  EXPECT_EQ(Grid().rowCount(), TInstr_SQL::kShownRecords);
  EXPECT_TRUE(Cut());
  // The batch takes the query from under the console; any other user reads the whole result.
  EXPECT_NE(Consult("CONSULTA_CLIENTE(000001,'1')"), "(none)");
  EXPECT_FALSE(Cut());
  SendQuery(*Form1->quecon, {"select * from dados"});
  EXPECT_EQ(Grid().rowCount(), rows);
  EXPECT_FALSE(Cut());
}

}  // namespace
