// The SQL console on the main window's shared query, against the real database: what it shows of a
// statement, of its errors and of a result too large to hold, and who else may take the query.

#include "admin/UInstr_sql.h"
#include "core/BatchFixture.h"
#include "core/CreditQueries.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class SqlConsole : public BatchTest {
 protected:
  void SetUp() override {
    BatchTest::SetUp();
    Connect();
    sql.Exec("insert into empresas (numero, nome, ativo, grupo, setor) values (1, 'ALFA', 'S', 1, 0), "
             "(2, 'BETA', 'N', 1, 2)");
    sql.Exec("insert into grupos (numero, nome) values (1, 'CENTRO')");
    OpenConsole();
  }

  void OpenConsole() {
    delete console;
    console = new TInstr_SQL(Form1);
    console->Show();
  }
  void Type(const QString &text) { console->Memo1->setPlainText(text); }
  void Run(const QString &text) {
    Type(text);
    console->SpeedButton1->Click();
  }
  QAbstractItemModel &Grid() { return *console->DBGrid1->model(); }
  QString Cell(int row, int column) { return Grid().index(row, column).data().toString(); }

  TInstr_SQL *console = nullptr;  // the main window owns it
};

TEST_F(SqlConsole, EveryBadStatementShowsItsErrorAndLeavesTheMemoAndAnEmptyGrid) {
  const struct {
    const char *text;
    const char *message;
  } cases[] = {
      {"   ", "Query was empty"},
      {"selec * from empresas", "SQL syntax"},
      {"select nosuch from empresas", "nosuch"},
      {"update empresas set nome = 'GAMA' where numero = 2", "does not return a result set"},
      {"create table outra (a int)", "denied"},
  };
  for (const auto &c : cases) {
    Run("select * from empresas");
    boxes.SetAnswer({});
    const std::size_t shown = boxes.Calls().size();
    Run(c.text);
    ASSERT_EQ(boxes.Calls().size(), shown + 1) << c.text;
    const TMessageBoxCall &box = boxes.Calls().back();
    EXPECT_EQ(box.Text.substr(0, 23), "SQL Resultou em erro: \r") << c.text;
    EXPECT_NE(box.Text.find(c.message), AnsiString::npos) << box.Text;
    EXPECT_EQ(box.Caption, "Orvalix Express");
    EXPECT_EQ(console->Memo1->toPlainText(), c.text);
    EXPECT_FALSE(Form1->quecon->Active()) << c.text;
    EXPECT_EQ(Grid().rowCount(), 0) << c.text;
    EXPECT_TRUE(console->Visible());
  }
  // The update was carried out all the same.
  EXPECT_EQ(sql.Value("select nome from empresas where numero = 2").toString(), "GAMA");
}

TEST_F(SqlConsole, AnEmptyMemoRunsNothingAndKeepsTheResultShown) {
  Run("select * from empresas");
  Run("");
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_EQ(Form1->quecon->SQL.Text(), "select * from empresas\r\n\r\n");
  EXPECT_EQ(Grid().rowCount(), 2);
}

TEST_F(SqlConsole, F9InAnyShiftStateRunsTheStatementAndOtherKeysDoNot) {
  for (Qt::KeyboardModifiers shift : {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier}) {
    SetStatement(*Form1->quecon, {});
    Type("select nome from grupos");
    QTest::keyClick(console->Memo1, Qt::Key_F8, shift);
    EXPECT_FALSE(Form1->quecon->Active()) << shift;
    QTest::keyClick(console->Memo1, Qt::Key_F9, shift);
    EXPECT_TRUE(Form1->quecon->Active()) << shift;
    EXPECT_EQ(Cell(0, 0), "CENTRO") << shift;
    EXPECT_EQ(console->Memo1->toPlainText(), "select nome from grupos") << shift;
  }
}

TEST_F(SqlConsole, ASecondSelectReplacesTheFirstAndTheCloseButtonEmptiesTheGrid) {
  Form1->Timer3->SetEnabled(false);
  Run("select numero, nome from empresas order by numero");
  EXPECT_TRUE(Form1->Timer3->Enabled());  // every opening restarts the keep-alive
  ASSERT_EQ(Grid().columnCount(), 2);
  EXPECT_EQ(Grid().headerData(1, Qt::Horizontal).toString(), "nome");
  // As wide as the columns' sizes: 10 digits, 50 characters.
  EXPECT_GT(console->DBGrid1->columnWidth(1), 3 * console->DBGrid1->columnWidth(0));
  EXPECT_EQ(Cell(1, 1), "BETA");
  Run("select nome from grupos");
  ASSERT_EQ(Grid().columnCount(), 1);
  EXPECT_EQ(Grid().rowCount(), 1);
  EXPECT_EQ(Cell(0, 0), "CENTRO");
  for (int click = 0; click < 2; ++click) {  // the second finds the query closed
    console->SpeedButton2->Click();
    EXPECT_FALSE(Form1->quecon->Active());
    EXPECT_EQ(Grid().rowCount(), 0);
  }
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_EQ(console->SpeedButton1->toolTip(), "Executa SQL acima");
  EXPECT_EQ(console->SpeedButton2->toolTip(), "Fecha tabela abaixo quando aberta");
  EXPECT_EQ(console->BitBtn2->toolTip(), "");
}

TEST_F(SqlConsole, AResultLeftOpenOutlivesTheConsoleAndShowsInTheNextOne) {
  Run("select nome from grupos");
  delete console;
  console = nullptr;
  EXPECT_TRUE(Form1->quecon->Active());
  OpenConsole();
  EXPECT_EQ(Cell(0, 0), "CENTRO");
}

TEST_F(SqlConsole, AResultTooLargeIsCutVisiblyAndTheOtherUsersOfTheQueryAreNot) {
  const int rows = TInstr_SQL::kShownRecords + 5;
  sql.Exec(QStringLiteral("insert into dados (cnpj_cpf, empresa, data_mov) select seq, 1, '2026-12-01' "
                          "from seq_1_to_%1").arg(rows));
  Run("select * from dados");
  EXPECT_EQ(Form1->quecon->RecordCount(), TInstr_SQL::kShownRecords);
  EXPECT_EQ(Grid().rowCount(), TInstr_SQL::kShownRecords);
  EXPECT_TRUE(console->Label3->isVisibleTo(console->Widget()));
  EXPECT_EQ(Form1->quecon->MaxRecords, 0);

  // The batch takes the query from under the console: the grid and the notice go.
  EXPECT_NE(Consult("CONSULTA_CLIENTE(000001,'1')"), "(none)");
  EXPECT_EQ(Grid().rowCount(), 0);
  EXPECT_FALSE(console->Label3->isVisibleTo(console->Widget()));
  // Any other user of the query reads the whole result.
  SendQuery(*Form1->quecon, {"select * from dados"});
  EXPECT_EQ(Form1->quecon->RecordCount(), rows);
  EXPECT_FALSE(console->Label3->isVisibleTo(console->Widget()));
}

}  // namespace
