#include "AdoFixture.h"

#include "platform/sys/Exceptions.h"

namespace {

TEST_F(AdoTableTest, OpensInTheIndexOrderAndReadsToTheEndAsTheClassLibraryDoes) {
  table->Open();
  std::vector<AnsiString> read;
  for (table->First(); !table->Eof(); table->Next()) read.push_back(numero->AsString() + " " + nome->AsString());
  EXPECT_EQ(read, (std::vector<AnsiString>{"2 NORTE", "7 CENTRO"}));
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_FALSE(table->Bof());
}

TEST_F(AdoTableTest, APostWritesTheRecordAtOnceAndTextsStoreAsTyped) {
  table->Open();
  const AnsiString names[] = {"D'Ávila"_a, "C:\\pasta\\", "x'; drop table g;--", "Ação € ÿ"_a, "\\'"};
  int number = 10;
  for (const AnsiString &name : names) {
    table->Append();
    numero->SetAsString(IntToStr(number));
    nome->SetAsString(name);
    table->Post();
    EXPECT_EQ(table->State(), dsBrowse) << name;
    EXPECT_EQ(FromQString(sql.Value(QStringLiteral("select nome from grupos where numero=%1").arg(number)).toString()),
              name);
    ++number;
  }
  EXPECT_EQ(Stored(), 7);
  table->First();  // 2 NORTE
  table->Edit();
  nome->SetAsString("NORTE 'NOVO'");
  table->Post();
  EXPECT_EQ(sql.Value("select nome from grupos where numero=2").toString(), "NORTE 'NOVO'");
  table->Delete();
  EXPECT_FALSE(sql.Value("select nome from grupos where numero=2").isValid());
  EXPECT_EQ(numero->AsString(), "7");  // the next record is current
}

TEST_F(AdoTableTest, ARefusedRecordStaysInEditingAndNothingIsWritten) {
  table->BeforePost = [](TDataSet *dataSet) {
    if (dataSet->FieldByName("nome")->AsString() == "ABORT") Abort();
  };
  table->Open();
  struct {
    AnsiString number, name, error;  // "" for the silent abort
  } cases[] = {
      {"9", "", "Campo 'nome' deve ter um valor"},
      {"", "SUL", "Campo 'numero' deve ter um valor"},
      {"7", "DUPLICADO", "Duplicate entry"},
      {"9", "ABORT", ""},
  };
  for (const auto &c : cases) {
    table->Append();
    numero->SetAsString(c.number);
    nome->SetAsString(c.name);
    try {
      table->Post();
      ADD_FAILURE() << c.name << ": stored";
    } catch (const EAbort &) {
      EXPECT_EQ(c.error, "") << c.name;
    } catch (const EDatabaseError &error) {
      EXPECT_NE(error.Message.find(c.error), AnsiString::npos) << error.Message;
    }
    EXPECT_EQ(table->State(), dsInsert) << c.name;
    EXPECT_EQ(nome->AsString(), c.name);
    EXPECT_EQ(Stored(), 2) << c.name;
    table->Cancel();
  }
  // What a field refuses never reaches the record.
  table->Edit();
  EXPECT_THROW(numero->SetAsString("12a"), EDatabaseError);
  EXPECT_THROW(nome->SetAsString(AnsiString(21, 'x')), EDatabaseError);
  EXPECT_EQ(numero->AsString(), "7");
  EXPECT_EQ(nome->AsString(), "CENTRO");
  EXPECT_FALSE(table->Modified());
}

TEST_F(AdoTableTest, CancelDropsAnInsertionAndRefreshStaysOnTheCurrentRecord) {
  table->Open();
  table->Last();
  table->Insert();
  EXPECT_EQ(table->RecordCount(), 3);
  table->Cancel();
  EXPECT_EQ(table->RecordCount(), 2);
  EXPECT_EQ(numero->AsString(), "7");
  sql.Exec("insert into grupos (numero, nome) values (1, 'LITORAL'), (5, 'SERRA')");
  table->Refresh();
  EXPECT_EQ(table->RecordCount(), 4);
  EXPECT_EQ(table->RecNo(), 4);
  EXPECT_EQ(numero->AsString(), "7");

  sql.Exec("delete from grupos");
  table->Refresh();
  table->Edit();  // an empty table inserts
  EXPECT_EQ(table->State(), dsInsert);
}

TEST_F(AdoTableTest, ARolledBackTransactionUndoesItsStatementsAndACommittedOneKeepsThem) {
  for (bool commit : {false, true}) {
    connection->BeginTrans();
    Sql("delete from grupos where numero=7");
    query->ExecSQL();
    if (commit) {
      connection->CommitTrans();
    } else {
      connection->RollbackTrans();
    }
    EXPECT_FALSE(connection->InTransaction());
    EXPECT_EQ(Stored(), commit ? 1 : 2);
  }
}

}  // namespace
