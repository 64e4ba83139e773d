#include "AdministrationFixture.h"

#include "platform/win/WinInet.h"
#include "support/GridKeys.h"

#include <QApplication>

namespace {

// The unlocked window over group 7, sector 12 and the companies 42 (sector 12) and 43 (sector 0),
// each with rows of its own in dados.
class MemberTablesTest : public AdministrationTest {
 protected:
  void SetUp() override {
    AdministrationTest::SetUp();
    sql.Exec("insert into grupos (numero, nome) values (7, 'CENTRO')");
    sql.Exec("insert into setores (numero, nome) values (12, 'SUPERMERCADOS')");
    sql.Exec("insert into empresas (numero, nome, ativo, grupo, setor) values (42, 'ACME', 'S', 7, 12), "
             "(43, 'BETA', 'S', 7, 0), (44, 'GAMA', 'N', 7, 12345)");
    sql.Exec("insert into dados (cnpj_cpf, empresa, data_mov) values ('1', 42, '2026-12-01'), "
             "('2', 42, '2026-12-02'), ('1', 43, '2026-12-03')");
    Unlock();
  }

  QString Cell(TDBGrid *grid, int row, int column) { return grid->model()->index(row, column).data().toString(); }
  int Count(const char *statement) { return sql.Value(statement).toInt(); }
};

TEST_F(MemberTablesTest, NumbersShowPaddedAndSectorZeroShowsTodos) {
  const struct {
    int row, column;
    const char *text;
  } cases[] = {{0, 0, "000042"}, {0, 3, "0007"}, {0, 4, "0012"}, {1, 4, "*Todos*"}, {2, 4, "12345"}, {2, 2, "N"}};
  for (const auto &c : cases) EXPECT_EQ(Cell(window->DBGrid1, c.row, c.column), c.text) << c.row << "," << c.column;
  EXPECT_EQ(Cell(window->DBGrid2, 0, 0), "0007");
  window->Table1->Append();
  EXPECT_EQ(Cell(window->DBGrid1, 3, 4), "0000");
  EXPECT_EQ(window->DBGrid1->SelectedIndex(), 0);
}

TEST_F(MemberTablesTest, TheCompanyRuleLooksUpTheGroupFirstThenTheSector) {
  const struct {
    const char *group, *sector;
    AnsiString box;  // empty: stored
  } cases[] = {
      {"", "12", "Grupo inválido."_a},
      {"9", "99", "Grupo inválido."_a},
      {"7", "99", "Setor inválido."_a},
      {"7", "", "Campo 'setor' deve ter um valor."},
      {"7", "0", ""},
      {"7", "12", ""},
  };
  int number = 50;
  for (const auto &c : cases) {
    const std::size_t before = boxes.Calls().size();
    window->Table1->Append();
    window->Table1numero->SetAsString(IntToStr(++number));
    window->Table1nome->SetAsString("NOVA");
    window->Table1ativo->SetAsString("S");
    window->Table1grupo->SetAsString(c.group);
    window->Table1setor->SetAsString(c.sector);
    Guarded([this] { window->Table1->Post(); });
    EXPECT_EQ(boxes.Calls().size(), before + (c.box.empty() ? 0 : 1)) << c.group << "/" << c.sector;
    if (!c.box.empty()) {
      EXPECT_EQ(LastBox(), c.box);
      EXPECT_EQ(window->Table1->State(), dsInsert);
      window->Table1->Cancel();
    }
    EXPECT_EQ(sql.Value(QStringLiteral("select count(*) from empresas where numero=%1").arg(number)).toInt(),
              c.box.empty() ? 1 : 0);
  }
}

TEST_F(MemberTablesTest, ACompanyGoesWithItsDadosInOneTransactionOnlyWhenTheDeleteIsConfirmed) {
  boxes.SetAnswer([](const TMessageBoxCall &) { return IDNO; });
  window->DBNavigator1->Button(nbDelete)->click();
  EXPECT_EQ(Count("select count(*) from empresas"), 3);
  EXPECT_EQ(Count("select count(*) from dados"), 3);

  boxes.SetAnswer({});
  window->Table1->Edit();
  window->Table1numero->SetAsString("43");  // typed over, not saved: the stored company 42 goes
  window->DBNavigator1->Button(nbDelete)->click();
  EXPECT_EQ(Count("select count(*) from empresas where numero=42"), 0);
  EXPECT_EQ(Count("select count(*) from dados where empresa=42"), 0);
  EXPECT_EQ(Count("select count(*) from dados where empresa=43"), 1);
  EXPECT_EQ(window->Table1numero->AsString(), "43");

  // Another session holds company 43: its delete fails after its dados are deleted, and both stay.
  Form().quecon->SQL.Clear();
  Form().quecon->SQL.Add("set session innodb_lock_wait_timeout=1");
  Form().quecon->ExecSQL();
  sql.Exec("start transaction");
  sql.Exec("select numero from empresas where numero=43 for update");
  window->DBNavigator1->Button(nbDelete)->click();
  sql.Exec("rollback");
  EXPECT_NE(LastBox().find("Lock wait timeout"), AnsiString::npos) << LastBox();
  EXPECT_EQ(Count("select count(*) from empresas where numero=43"), 1);
  EXPECT_EQ(Count("select count(*) from dados where empresa=43"), 1);
  EXPECT_FALSE(Form().Database1->InTransaction());
  EXPECT_EQ(window->Table1->RecordCount(), 2);
}

TEST_F(MemberTablesTest, AGroupAndAMemberAreAddedWithEnterAloneAndADuplicateIsRefusedInEditing) {
  gridkeys::Key(window->DBGrid2, Qt::Key_Insert);
  gridkeys::Type(window->DBGrid2, "9\rSUL\r");
  EXPECT_EQ(sql.Value("select nome from grupos where numero=9").toString(), "SUL");
  EXPECT_EQ(window->table2->State(), dsInsert);  // the next row, appended
  EXPECT_EQ(window->table2->RecNo(), 3);
  EXPECT_EQ(window->DBGrid2->SelectedIndex(), 0);

  gridkeys::Key(window->DBGrid1, Qt::Key_Insert);
  gridkeys::Type(window->DBGrid1, "50\rNOVA LTDA\rS\r9\r0\r");
  EXPECT_EQ(Count("select count(*) from empresas where numero=50 and grupo=9 and setor=0 and ativo='S'"), 1);
  EXPECT_EQ(window->Table1->State(), dsInsert);

  gridkeys::Type(window->DBGrid2, "7\rDUPLO\r");
  EXPECT_NE(LastBox().find("Duplicate entry"), AnsiString::npos) << LastBox();
  EXPECT_EQ(window->table2->State(), dsInsert);
  EXPECT_EQ(window->DBGrid2->SelectedIndex(), 1);
  EXPECT_EQ(Count("select count(*) from grupos"), 2);
}

// "N" typed into company 42's Ativo, then another cell made current by a click or by Enter.
TEST_F(MemberTablesTest, TheTypedTextGoesIntoTheCellItWasTypedInWhateverMovesTheCurrentCell) {
  for (const QPoint click : {QPoint(0, 1), QPoint(1, 3), QPoint()}) {  // row, column; none: Enter
    sql.Exec("update empresas set ativo = 'S'");
    window->Table1->Refresh();
    QApplication::setActiveWindow(window->Widget());
    window->DBGrid1->setFocus();
    window->DBGrid1->setCurrentIndex(window->DBGrid1->model()->index(0, 2));
    gridkeys::Type(window->DBGrid1, click.isNull() ? "N\r" : "N");
    if (!click.isNull()) gridkeys::Click(window->DBGrid1, click.x(), click.y());
    window->Table1->CheckBrowseMode();  // as leaving the grid does
    EXPECT_EQ(sql.Value("select concat(nome, ativo, grupo) from empresas where numero = 42").toString(), "ACMEN7");
  }
  EXPECT_TRUE(boxes.Calls().empty()) << LastBox();
}

TEST_F(MemberTablesTest, ADropOfTheConnectionUnderTheWindowClosesItsTablesWithoutAWrite) {
  window->Table1->Edit();
  window->Table1nome->SetAsString("PERDIDO");
  SetConnectedStateForTesting(TConnectedState{0, 0});
  Tick();  // no network: the tick disconnects
  SetConnectedStateForTesting(TConnectedState{1, INTERNET_CONNECTION_LAN});
  Tick();  // and connects again
  ASSERT_TRUE(Form().Database1->Connected());
  EXPECT_FALSE(window->Table1->Active());
  EXPECT_EQ(window->DBGrid1->model()->rowCount(), 0);
  EXPECT_FALSE(window->DBNavigator1->Button(nbPost)->isEnabled());
  gridkeys::Key(window->DBGrid1, Qt::Key_Return);
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_EQ(sql.Value("select nome from empresas where numero=42").toString(), "ACME");
}

}  // namespace
