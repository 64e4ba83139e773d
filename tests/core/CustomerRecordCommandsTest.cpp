#include "BatchFixture.h"

namespace {

using CustomerRecord = BatchTest;

const AnsiString kBox = "Comando não reconhecido pelo sistema, consulte seu programador."_a;

// A customer's row as one text: its fields in the table's order, "-" for NULL, dates as yyyy-mm-dd.
QString Customer(testdb::Sql &sql, const char *document) {
  const QVariant row = sql.Value(
      QStringLiteral("select concat_ws('|',cnpj_cpf,ifnull(nome,'-'),ifnull(endereco,'-'),ifnull(bairro,'-'),"
                     "ifnull(cep,'-'),ifnull(cidade,'-'),ifnull(uf,'-'),ifnull(telefone,'-'),ifnull(fax,'-'),"
                     "ifnull(email,'-'),ifnull(celular,'-'),ifnull(insc_rg,'-'),ifnull(data_cad,'-'),"
                     "ifnull(data_ult_atu,'-')) from clientes where cnpj_cpf='%1'")
          .arg(QLatin1String(document)));
  return row.isNull() ? QStringLiteral("(none)") : row.toString();
}

const char *kKnown =
    "insert into clientes values ('111','VELHO','R','B','1','C','RJ','2','3','v@x','4','5','2020-01-01','2021-02-03')";

TEST_F(CustomerRecord, InsertsNewCustomersAndUpdatesKnownOnes) {
  const struct {
    const char *what;
    const char *known;  // a row in place before the command, or none
    AnsiString line;
    const char *document;
    const char *record;  // the row afterwards (UTF-8)
    bool box;            // the statement failed with the message box
  } cases[] = {
      {"new customer, all fields", nullptr,
       "INSERE_CLIENTE('111','JOÃO DA SILVA','RUA A, 10','CENTRO','11000-000','SANTOS','SP','1111','2222','j@x.com',"
       "'3333','RG 1')"_a,
       "111", "111|JOÃO DA SILVA|RUA A, 10|CENTRO|11000-000|SANTOS|SP|1111|2222|j@x.com|3333|RG 1|2026-12-08|2026-12-08",
       false},
      {"known customer: every field, the first registration kept", kKnown,
       "INSERE_CLIENTE('111','NOVO','RUA B','BAIRRO','22000-000','RIO','RJ','9','8','n@x','7','RG 2')", "111",
       "111|NOVO|RUA B|BAIRRO|22000-000|RIO|RJ|9|8|n@x|7|RG 2|2020-01-01|2026-12-08", false},
      {"lower-case word, values keep their case", nullptr,
       "insere_cliente('222','Maria','r','b','c','Cidade','sp','1','2','m@x','3','4')", "222",
       "222|Maria|r|b|c|Cidade|sp|1|2|m@x|3|4|2026-12-08|2026-12-08", false},
      {"issuer, new: number and name", nullptr, "INSERE_EMITENTE_CLI('333','PEDRO')", "333",
       "333|PEDRO|-|-|-|-|-|-|-|-|-|-|2026-12-08|2026-12-08", false},
      {"issuer, known: only the name and the last update", kKnown, "Insere_Emitente_Cli('111','OUTRO')", "111",
       "111|OUTRO|R|B|1|C|RJ|2|3|v@x|4|5|2020-01-01|2026-12-08", false},
      {"blank after the parenthesis, new: the trimmed line inserts", nullptr,
       "INSERE_CLIENTE('444','ANA','R','B','C','D','MG','1','2','a@x','3','4') ", "444",
       "444|ANA|R|B|C|D|MG|1|2|a@x|3|4|2026-12-08|2026-12-08", false},
      {"blank after the parenthesis, known: the update fails", kKnown,
       "INSERE_CLIENTE('111','ANA','R','B','C','D','MG','1','2','a@x','3','4') ", "111",
       "111|VELHO|R|B|1|C|RJ|2|3|v@x|4|5|2020-01-01|2021-02-03", true},
      {"insert with values missing fails", nullptr, "INSERE_CLIENTE('555','SO O NOME')", "555", "(none)", true},
      {"issuer with a duplicate blank in its number inserts as written", nullptr,
       "INSERE_EMITENTE_CLI('666 ','X')", "666 ", "666 |X|-|-|-|-|-|-|-|-|-|-|2026-12-08|2026-12-08", false},
  };
  Connect();
  for (const auto &c : cases) {
    sql.ResetTables();
    if (c.known) sql.Exec(QLatin1String(c.known));
    const std::size_t before = boxes.Calls().size();
    Drop("TRANS0001.TXT", c.line + "\r\n");
    Tick();
    EXPECT_FALSE(Waiting("TRANS0001.TXT")) << c.what;
    EXPECT_EQ(Customer(sql, c.document), QString::fromUtf8(c.record)) << c.what;
    EXPECT_EQ(sql.Value(QStringLiteral("select count(*) from clientes")).toInt(), c.known || !c.box ? 1 : 0) << c.what;
    ASSERT_EQ(boxes.Calls().size() - before, c.box ? 1u : 0u) << c.what;
    if (c.box) {
      EXPECT_EQ(boxes.Calls().back().Text, kBox) << c.what;
      EXPECT_EQ(boxes.Calls().back().Caption, "Orvalix") << c.what;
      EXPECT_EQ(boxes.Calls().back().Flags, MB_OK) << c.what;
    }
    EXPECT_TRUE(Form().Database1->Connected()) << c.what;  // a failed statement is no failure of the tick
    EXPECT_FALSE(Answered("RET0001.ret")) << c.what;
  }
}

TEST_F(CustomerRecord, TheMessageBoxHoldsTheQueueWithTheParameterListMarked) {
  Connect();
  sql.Exec(QLatin1String(kKnown));
  Drop("TRANS0001.TXT", "INSERE_EMITENTE_CLI('111','A'B')\r\n");  // no valid literal
  Drop("TRANS0002.TXT", "INSERE_EMITENTE_CLI('222','C')\r\n");
  boxes.SetAnswer([&](const TMessageBoxCall &) {
    EXPECT_FALSE(Form().Timer2->Enabled());
    EXPECT_TRUE(Form().TickRunning());
    EXPECT_EQ(Form().TrayIcon1->Tag, 1);
    Form().Timer1Timer(Form().Timer1);  // the return to the tray while the box waits
    Tick();                              // starts no second tick
    EXPECT_TRUE(Waiting("TRANS0002.TXT"));
    return IDOK;
  });
  Tick();
  EXPECT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(Form().TrayIcon1->Tag, 0);
  EXPECT_TRUE(Form().Timer2->Enabled());
  EXPECT_FALSE(Waiting("TRANS0001.TXT"));
  Tick();
  EXPECT_EQ(Customer(sql, "222"), QStringLiteral("222|C|-|-|-|-|-|-|-|-|-|-|2026-12-08|2026-12-08"));
  EXPECT_EQ(boxes.Calls().size(), 1u);
}

TEST_F(CustomerRecord, ErrorsBeforeTheStatementFailTheTickWithoutAMessage) {
  const struct {
    const char *what;
    bool known;
    const char *line;
  } cases[] = {
      {"no parameter", false, "INSERE_CLIENTE"},
      {"empty parentheses", false, "INSERE_EMITENTE_CLI()"},
      {"update of all fields with two parameters", true, "INSERE_CLIENTE('111','A')"},
      {"update of the name without it", true, "INSERE_EMITENTE_CLI('111')"},
      {"existence check the server rejects", false, "INSERE_EMITENTE_CLI(no_such_column,'A')"},
  };
  Connect();
  for (const auto &c : cases) {
    sql.ResetTables();
    if (c.known) sql.Exec(QLatin1String(kKnown));
    Drop("TRANS0001.TXT", std::string(c.line) + "\r\n");
    Tick();
    EXPECT_TRUE(Waiting("TRANS0001.TXT")) << c.what;
    EXPECT_FALSE(Waiting("TRANS0001.TXT.ERR")) << c.what;
    EXPECT_TRUE(Form().Database1->Connected()) << c.what;
    EXPECT_EQ(Form().TrayIcon1->Tag, 1) << c.what;  // the handler freed the parameter list
    EXPECT_EQ(Customer(sql, "111"), c.known ? QStringLiteral("111|VELHO|R|B|1|C|RJ|2|3|v@x|4|5|2020-01-01|2021-02-03")
                                            : QStringLiteral("(none)"))
        << c.what;
    DeleteFile("C:\\ORVALIX\\REMESSA\\TRANS0001.TXT");
    Tick();  // finds the file gone: its count of failures starts again
  }
  EXPECT_TRUE(boxes.Calls().empty());
}

}  // namespace
