#include "AdoFixture.h"

#include "platform/vcl/DBCtrls.h"
#include "platform/vcl/DBGrids.h"
#include "platform/vcl/Dialogs.h"
#include "support/GridKeys.h"

#include <QApplication>

namespace {

// The groups in a grid of a window that has the focus, with a box after the grid in the tab order.
class DBGridTest : public AdoTableTest {
 protected:
  void SetUp() override {
    AdoTableTest::SetUp();
    source = new TDataSource(owner.get());
    source->SetDataSet(table);
    grid = new TDBGrid(&window);
    grid->setGeometry(0, 0, 300, 150);
    grid->SetOptions({dgEditing, dgTitles, dgIndicator, dgColLines, dgRowLines, dgConfirmDelete, dgCancelOnExit});
    grid->SetDataSource(source);
    grid->OnKeyPress = [this](TObject *, char &key) { typed += key; };
    after = new QLineEdit(&window);
    after->setGeometry(0, 160, 100, 20);
    window.show();
    QApplication::setActiveWindow(&window);
    table->Open();
    grid->setFocus();
  }

  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { gridkeys::Key(grid, key, modifiers); }
  void Type(const QString &text) { gridkeys::Type(grid, text); }
  QString Cell(int row, int column) { return grid->model()->index(row, column).data().toString(); }

  MessageBoxSeam boxes;
  QWidget window;
  TDataSource *source = nullptr;
  TDBGrid *grid = nullptr;
  QLineEdit *after = nullptr;
  AnsiString typed;
};

TEST_F(DBGridTest, KeysTypedIntoTheCellEditorReachTheGridsHandlerOnceAndEnterWritesTheField) {
  grid->SetSelectedIndex(1);
  Type("XY");
  ASSERT_NE(grid->InplaceEditor(), nullptr);
  EXPECT_EQ(grid->InplaceEditor()->text(), "XY");
  EXPECT_EQ(table->State(), dsEdit);
  Key(Qt::Key_Return);
  EXPECT_EQ(typed, "XY\r");
  EXPECT_EQ(grid->InplaceEditor(), nullptr);
  EXPECT_EQ(nome->AsString(), "XY");
  EXPECT_EQ(Cell(0, 1), "XY");
  Key(Qt::Key_Escape);  // the grid cancels the row
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_EQ(Cell(0, 1), "NORTE");
}

TEST_F(DBGridTest, ATextTheFieldRefusesIsShownAndTheEditorStaysOpen) {
  Type("a");
  Key(Qt::Key_Return);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_NE(boxes.Calls()[0].Text.find("'a' não é um valor inteiro válido para o campo 'numero'"_a), AnsiString::npos);
  ASSERT_NE(grid->InplaceEditor(), nullptr);
  EXPECT_EQ(grid->InplaceEditor()->text(), "a");
  EXPECT_THROW(grid->SetSelectedIndex(1), EDatabaseError);
  EXPECT_EQ(grid->SelectedIndex(), 0);
  EXPECT_EQ(table->State(), dsEdit);
  EXPECT_EQ(Stored(), 2);
}

TEST_F(DBGridTest, InsertStartsARowAndTabLeavesTheGridDroppingItWhileEmpty) {
  Key(Qt::Key_Insert);
  EXPECT_EQ(table->State(), dsInsert);
  EXPECT_EQ(grid->model()->rowCount(), 3);
  Key(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), after);
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_EQ(grid->model()->rowCount(), 2);
}

TEST_F(DBGridTest, APostFromTheCellEditorKeepsTheFocusInTheGrid) {
  grid->SetSelectedIndex(1);
  Type("SUL");
  ASSERT_EQ(QApplication::focusWidget(), grid->InplaceEditor());
  table->Post();  // as Enter at the end of a row does, from the editor's key
  EXPECT_EQ(QApplication::focusWidget(), grid);
  Key(Qt::Key_Insert);
  after->setFocus();
  EXPECT_EQ(table->State(), dsBrowse);  // the empty insertion went when the grid was left
}

TEST_F(DBGridTest, CtrlDeleteDeletesOnlyWhenTheQuestionIsAnsweredYes) {
  for (int answer : {IDNO, IDYES}) {
    boxes.SetAnswer([answer](const TMessageBoxCall &) { return answer; });
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(boxes.Calls().back().Text, "Excluir registro?");
    EXPECT_EQ(Stored(), answer == IDYES ? 1 : 2);
  }
  EXPECT_EQ(Cell(0, 0), "7");
}

TEST_F(DBGridTest, AQueryThatCannotBeModifiedRefusesEveryChangeWithItsReasonAndEmptiesWhenClosed) {
  source->SetDataSet(query);
  Sql("select numero, upper(nome) as nome_do_grupo from grupos order by numero");
  query->Open();
  ASSERT_EQ(grid->model()->columnCount(), 2);
  EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), "nome_do_grupo");
  EXPECT_EQ(Cell(1, 1), "CENTRO");
  Key(Qt::Key_Shift);
  Key(Qt::Key_C, Qt::ControlModifier);  // no try to edit
  Type("X");
  EXPECT_EQ(grid->InplaceEditor(), nullptr);
  Key(Qt::Key_Insert);
  Key(Qt::Key_Delete, Qt::ControlModifier);  // refused before the question
  ASSERT_EQ(boxes.Calls().size(), 3u);
  for (const TMessageBoxCall &box : boxes.Calls())
    EXPECT_NE(box.Text.find("somente leitura: a coluna 'nome_do_grupo' não é uma coluna de tabela"_a), AnsiString::npos);
  EXPECT_EQ(query->State(), dsBrowse);
  query->Close();
  EXPECT_EQ(grid->model()->rowCount(), 0);
}

TEST_F(DBGridTest, TheNavigatorsButtonsFollowTheDataSetAndItsDeleteAsksFirst) {
  TDBNavigator navigator(&window);
  navigator.SetDataSource(source);
  const auto enabled = [&navigator] {
    std::string state;
    for (int b = nbFirst; b <= nbCancel; ++b) state += navigator.Button(TNavigateBtn(b))->isEnabled() ? '1' : '0';
    return state;
  };
  EXPECT_EQ(enabled(), "001111100");  // on the first record
  table->Last();
  EXPECT_EQ(enabled(), "110011100");
  table->Edit();
  EXPECT_EQ(enabled(), "110011011");
  table->Close();
  EXPECT_EQ(enabled(), "000000000");
  table->Open();
  boxes.SetAnswer([](const TMessageBoxCall &) { return IDNO; });
  navigator.Button(nbDelete)->click();
  EXPECT_EQ(boxes.Calls().back().Text, "Excluir registro?");
  EXPECT_EQ(Stored(), 2);
}

}  // namespace
