// The SQL console on the main window's shared query, against the real database.

#include "admin/UInstr_sql.h"
#include "core/BatchFixture.h"
#include "core/CreditQueries.h"

#include "support/GridKeys.h"

#include <QApplication>
#include <QTest>
#include <functional>

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
  // The console shown with the focus in the grid, on the cell given.
  void Focus(int row, int column) {
    console->Show();
    QApplication::setActiveWindow(console->Widget());
    console->DBGrid1->setFocus();
    console->DBGrid1->setCurrentIndex(Grid().index(row, column));
  }
  void Type(const QString &text) { gridkeys::Type(console->DBGrid1, text); }
  void Click(int row, int column) { gridkeys::Click(console->DBGrid1, row, column); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    gridkeys::Key(console->DBGrid1, key, modifiers);
  }
  QString Groups() {
    return sql.Value("select group_concat(numero, ' ', nome order by numero) from grupos").toString();
  }

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
  EXPECT_EQ(Grid().index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
            Qt::AlignRight);  // a number
  EXPECT_EQ(Grid().index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
            Qt::AlignLeft);
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

TEST_F(SqlConsole, TheRowsOfOneTableReadWithItsKeyAreEditedInsertedAndDeletedInTheDatabase) {
  Run("select * from grupos");
  Focus(0, 1);
  Type("O'Neil \\' \\N \\");  // stored as typed: no quote or backslash is read as SQL
  console->Memo1->setFocus();  // leaving the grid posts the row
  EXPECT_EQ(Groups(), "1 O'Neil \\' \\N \\");
  Focus(0, 0);
  Key(Qt::Key_Insert);
  Type("07\r");
  Key(Qt::Key_Right);
  Type("NORTE");
  Key(Qt::Key_Down);  // leaving the row posts it; it shows as the server holds it
  EXPECT_EQ(Groups(), "1 O'Neil \\' \\N \\,7 NORTE");
  EXPECT_EQ(Cell(0, 0), "7");
  Key(Qt::Key_Delete, Qt::ControlModifier);  // on the row below
  EXPECT_EQ(boxes.Calls().back().Text, "Excluir registro?");
  EXPECT_EQ(Groups(), "7 NORTE");
  EXPECT_EQ(Form1->quecon->State(), dsBrowse);

  // A date shows as dd/mm/yyyy: its column is read-only.
  sql.Exec("insert into clientes (cnpj_cpf, nome, data_cad) values ('1', 'ANA', '2026-12-01')");
  Run("select * from clientes");
  Focus(0, 12);
  Type("X");
  EXPECT_EQ(console->DBGrid1->InplaceEditor(), nullptr);
  EXPECT_EQ(boxes.Calls().size(), 1u);
}

// The mouse makes the clicked cell current before the grid hears of it. Columns are bound by their place,
// whatever their labels; what is typed is stored byte for byte under NO_BACKSLASH_ESCAPES too.
TEST_F(SqlConsole, TypedTextGoesIntoTheCellItWasTypedInWhenAClickLeavesIt) {
  sql.Exec("insert into clientes (cnpj_cpf, nome, cidade) values (X'315C32', 'ANA', 'LINS'), ('2', 'BIA', 'BAURU')");
  Run("set session sql_mode = concat(@@sql_mode, ',NO_BACKSLASH_ESCAPES')");
  for (const QPoint click : {QPoint(0, 2), QPoint(0, 0), QPoint(1, 2)}) {  // row, column
    Run("select cnpj_cpf as x, nome as X, cidade from clientes order by cnpj_cpf");
    EXPECT_EQ(Cell(0, 0) + Cell(0, 1), "1\\2ANA");
    Focus(0, 1);
    Type("a\\b'\"");
    Click(click.x(), click.y());
    console->Memo1->setFocus();
    EXPECT_EQ(sql.Value("select group_concat(hex(nome), cidade order by cnpj_cpf) from clientes").toString(),
              "615C622722LINS,424941BAURU")
        << click.x() << "," << click.y();
    sql.Exec("update clientes set nome = 'ANA' where cnpj_cpf <> '2'");
  }
  EXPECT_EQ(boxes.Calls().size(), 1u);  // the set returns no rows
}

// "<F9>", the close-table button and the close box take no focus from the grid: they post first.
TEST_F(SqlConsole, ARowInEditingIsPostedBeforeTheResultIsReplacedOrClosed) {
  const std::function<void()> actions[] = {[this] { QTest::mouseClick(console->SpeedButton1, Qt::LeftButton); },
                                           [this] { QTest::mouseClick(console->SpeedButton2, Qt::LeftButton); },
                                           [this] { console->Widget()->close(); }};
  for (const char *typed : {"2", "3", "4", "SUL"}) {  // a key: the last is refused, nothing closed
    const int action = typed[0] == 'S' ? 0 : typed[0] - '2';
    Run("select * from grupos order by numero");
    Focus(0, 0);
    Key(Qt::Key_Insert);
    Type(typed);
    actions[action]();
    EXPECT_EQ(sql.Value("select group_concat(numero) from grupos").toString().right(1), typed[0] == 'S' ? "4" : typed);
    EXPECT_EQ(Form1->quecon->State(), typed[0] == 'S' ? dsInsert : action == 1 ? dsInactive : dsBrowse) << typed;
    EXPECT_EQ(console->Visible(), action != 2) << typed;
    console->Show();
  }
  EXPECT_NE(boxes.Calls().back().Text.find("Incorrect integer value: 'SUL'"), AnsiString::npos);
}

TEST_F(SqlConsole, AnyOtherResultRefusesTheEditAtOnceSayingWhyAndWritesNothing) {
  const AnsiString kNotOneTable = "a instrução não lê uma só tabela do banco de dados uma só vez"_a;
  sql.Exec("update empresas set grupo = 1");
  sql.Exec("insert into setores (numero, nome) values (1, 'VAREJO')");
  const struct {
    const char *statement;
    AnsiString why;
  } cases[] = {
      {"select e.nome, g.nome from empresas e join grupos g on g.numero = e.grupo", "as colunas vêm de mais de uma"_a},
      {"select a.numero, b.nome from grupos a, grupos b", "as colunas vêm de mais de uma tabela"_a},
      {"select grupo, count(*) from empresas group by grupo", "a coluna 'count(*)' não é uma coluna de tabela"_a},
      {"select nome from grupos", "a chave primária da tabela 'grupos' não está entre as colunas"_a},
      {"select * from dados", "a tabela 'dados' não tem chave primária"_a},
      {"select numero, nome, numero from grupos", "a coluna 'numero' da tabela 'grupos' aparece mais de uma vez"},
      {"show tables", "a tabela 'TABLE_NAMES' é de outro banco de dados, information_schema"_a},
      {"select * from (select numero, nome from setores) grupos", kNotOneTable},
      {"select * from (select nome as numero, numero as nome from grupos) grupos", kNotOneTable},
      {"with grupos as (select numero, nome from setores) select * from grupos", kNotOneTable},
      {"select g.numero, g.nome from grupos g join empresas e on e.grupo = g.numero", kNotOneTable},
  };
  for (const auto &c : cases) {
    Run(c.statement);
    Focus(0, 0);
    const std::size_t shown = boxes.Calls().size();
    Type("9");
    Key(Qt::Key_Insert);
    ASSERT_EQ(boxes.Calls().size(), shown + 2) << c.statement;
    EXPECT_NE(boxes.Calls().back().Text.find("somente leitura: " + c.why), AnsiString::npos) << c.statement;
    EXPECT_EQ(Form1->quecon->State(), dsBrowse) << c.statement;
  }
  EXPECT_EQ(Groups(), "1 CENTRO");
  EXPECT_EQ(sql.Value("select concat(numero, nome) from setores").toString(), "1VAREJO");
  EXPECT_EQ(sql.Value("select count(*) from empresas where grupo = 1").toInt(), 2);
}

// Another session's change, between the read and the post, of a column being changed is not written over.
TEST_F(SqlConsole, APostTheDatabaseRefusesShowsItsErrorAndLeavesTheRowInEditing) {
  const AnsiString gone = "O registro não foi encontrado no banco de dados"_a;
  const struct {
    int column;  // of group 2, typed over; -1: a new row
    const char *meanwhile, *groups;
    AnsiString error;  // empty: written
  } cases[] = {
      {-1, "", "1 CENTRO,2 NORTE", "Duplicate entry '1'"},
      {0, "delete from grupos where numero = 2", "1 CENTRO", gone},
      {1, "update grupos set nome = 'norte' where numero = 2", "1 CENTRO,2 norte", gone},
      {0, "update grupos set nome = 'norte' where numero = 2", "1 CENTRO,3 norte", ""},
  };
  for (const auto &c : cases) {
    sql.Exec("delete from grupos where numero > 1");
    sql.Exec("insert into grupos (numero, nome) values (2, 'NORTE')");
    Run("select * from grupos order by numero");
    Focus(1, std::max(c.column, 0));
    if (c.column < 0) Key(Qt::Key_Insert);
    Type(c.column < 0 ? "1" : "3");
    if (*c.meanwhile) sql.Exec(c.meanwhile);
    const std::size_t shown = boxes.Calls().size();
    console->Memo1->setFocus();
    EXPECT_EQ(boxes.Calls().size(), shown + (c.error.empty() ? 0 : 1)) << c.meanwhile;
    if (!c.error.empty()) {
      EXPECT_NE(boxes.Calls().back().Text.find(c.error), AnsiString::npos) << boxes.Calls().back().Text;
      EXPECT_EQ(Form1->quecon->State(), c.column < 0 ? dsInsert : dsEdit);
      EXPECT_TRUE(console->DBGrid1->hasFocus());
    }
    EXPECT_EQ(Groups(), c.groups);
    Form1->quecon->Cancel();
  }
}

// The batch closes the shared query, and with it drops the row in editing, as closing any dataset does:
// the operator's change is never written in part, nor later over what the batch read.
TEST_F(SqlConsole, ABatchTickThatTakesTheQueryCancelsTheRowInEditing) {
  Run("select * from grupos");
  Focus(0, 1);
  Type("NOVO\r");  // in the field
  Key(Qt::Key_Left);
  Type("5");  // still in the cell editor
  EXPECT_EQ(Form1->quecon->State(), dsEdit);
  EXPECT_NE(Consult("CONSULTA_CLIENTE(000001,'1')"), "(none)");
  EXPECT_FALSE(Form1->quecon->Active());
  EXPECT_EQ(console->DBGrid1->InplaceEditor(), nullptr);
  EXPECT_EQ(Grid().rowCount(), 0);
  console->Memo1->setFocus();
  EXPECT_EQ(Groups(), "1 CENTRO");
  EXPECT_TRUE(boxes.Calls().empty());
}

}  // namespace
