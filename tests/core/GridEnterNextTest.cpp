#include "BatchFixture.h"

#include "platform/vcl/DBGrids.h"

#include <functional>

namespace {

// The companies in a grid whose column "ativo" is read-only, on the main window's connection.
class GridEnterNextTest : public BatchTest {
 protected:
  void SetUp() override {
    BatchTest::SetUp();
    sql.Exec("insert into empresas (numero, nome, ativo, grupo, setor) values (1, 'A', 'S', 7, 0), (2, 'B', 'S', 7, 0)");
    table = new TADOTable(&Form());
    table->SetConnection(Form().Database1);
    table->TableName = "empresas";
    table->IndexFieldNames = "numero";
    source = new TDataSource(&Form());
    source->SetDataSet(table);
    grid = std::make_unique<TDBGrid>(nullptr);
    for (const char *name : {"numero", "nome", "ativo", "grupo", "setor"}) grid->Columns()->Add()->FieldName = name;
    grid->Columns()->Items(2)->SetReadOnly(true);
    grid->SetDataSource(source);
    table->Open();
    table->FieldByName("nome")->Required = true;
  }

  TADOTable *table = nullptr;
  TDataSource *source = nullptr;
  std::unique_ptr<TDBGrid> grid;
};

TEST_F(GridEnterNextTest, EnterStepsOverReadOnlyColumnsAndActsAtTheEndOfTheRowByTheTablesState) {
  struct {
    const char *what;
    std::function<void()> before;
    int from;
    int selected;
    TDataSetState state;
    int records;  // in the table afterwards
  } cases[] = {
      {"next column", [] {}, 0, 1, dsBrowse, 2},
      {"over the read-only column", [] {}, 1, 3, dsBrowse, 2},
      {"browse at the end edits", [] {}, 4, 4, dsEdit, 2},
      {"edit at the end posts", [this] { table->Edit(); }, 4, 0, dsBrowse, 2},
      {"insert at the end posts and appends",
       [this] {
         table->Insert();
         table->FieldByName("numero")->SetAsString("3");
         table->FieldByName("nome")->SetAsString("C");
       },
       4, 4, dsInsert, 4},
      {"read-only last column: the action at once", [this] { grid->Columns()->Items(4)->SetReadOnly(true); }, 3, 4,
       dsEdit, 3},
      {"closed table", [this] { table->Close(); }, 4, 4, dsInactive, 0},
  };
  for (const auto &c : cases) {
    table->Open();
    table->Cancel();
    grid->Columns()->Items(4)->SetReadOnly(false);
    c.before();
    grid->SetSelectedIndex(c.from);
    Form().GridEnterNext(grid.get(), table);
    EXPECT_EQ(grid->SelectedIndex(), c.selected) << c.what;
    EXPECT_EQ(table->State(), c.state) << c.what;
    EXPECT_EQ(table->RecordCount(), c.records) << c.what;
  }
  EXPECT_EQ(sql.Value("select nome from empresas where numero=3").toString(), "C");
}

TEST_F(GridEnterNextTest, AFailedPostPassesOnAndLeavesTheRowWhereItWas) {
  table->Append();
  table->FieldByName("numero")->SetAsString("3");
  grid->SetSelectedIndex(4);
  EXPECT_THROW(Form().GridEnterNext(grid.get(), table), EDatabaseError);
  EXPECT_EQ(grid->SelectedIndex(), 4);
  EXPECT_EQ(table->State(), dsInsert);
  EXPECT_EQ(table->RecordCount(), 3);
}

TEST_F(GridEnterNextTest, AnythingButAGridIsAnInvalidCastBeforeAnythingHappens) {
  TObject notAGrid;
  EXPECT_THROW(Form().GridEnterNext(&notAGrid, table), EInvalidCast);
  EXPECT_EQ(table->State(), dsBrowse);
}

}  // namespace
