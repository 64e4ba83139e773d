#include "BatchFixture.h"

namespace {

// Members (number, active, group, sector), customers and facts around 8 December 2026.
class ConsultationCommands : public BatchTest {
 protected:
  void SetUp() override {
    BatchTest::SetUp();
    sql.Exec("insert into grupos values (1, 'CENTRO'), (2, 'D''OESTE, SUL')");
    sql.Exec("insert into empresas values (42,'LOJA 42','S',1,3), (43,'LOJA 43','S',1,3), (44,'LOJA 44','S',1,5),"
             "(45,'LOJA 45','S',2,3), (46,'LOJA 46','N',1,3), (47,'LOJA 47',NULL,1,3), (48,'LOJA 48','S',1,0),"
             "(49,'LOJA 49','S',2,3), (50,'LOJA 50','s',1,3)");
    const char *facts =
        "insert into dados (cnpj_cpf, empresa, data_mov, chp_dev, chp_dev_vlr, cht_dev, cht_dev_vlr, tit_em_ab,"
        " chp_acomp, cht_acomp, chq_dev_outros, chq_dev_outros_vlr) values "
        "('11122233344', 43, '2026-12-08', 1, 150.00, 0, 0, 0, 0, 0, 0, 0),"
        "('11122233344', 44, '2026-11-23', 0, 0, 2, 300.00, 1234.5, 0, 0, 0, 0),"
        "('11122233344', 45, '2026-11-22', 5, 500.00, 0, 0, 0, 0, 0, 0, 0),"
        "('11122233344', 45, '2026-12-05', 1, 10.00, 0, 0, 0, 0, 0, 0, 0),"
        "('99988877766', 45, '2026-12-07', 1, 20.00, 0, 0, 0, 0, 0, 0, 0),"
        "('12312312312', 43, '2026-12-08', NULL, NULL, 1, 1234.5, NULL, NULL, NULL, NULL, NULL),"
        "('55566677788', 43, '2025-01-01', 1000, 0, 0, 0, 0, 0, 0, 0, 0),"
        "('55566677788', 43, '2026-11-22', 100, 0, 0, 0, 0, 0, 0, 0, 0),"
        "('55566677788', 43, '2026-11-23', 10, 0, 0, 0, 0, 0, 0, 0, 0),"
        "('55566677788', 43, '2026-12-08', 1, 0, 0, 0, 0, 25.5, 30, 2, 40.25)";
    sql.Exec(facts);
    sql.Exec(QString::fromUtf8("insert into clientes (cnpj_cpf, nome, endereco, bairro, cep, cidade, uf, telefone,"
                               " fax, email, celular, insc_rg) values ('11122233344', 'JOSÉ D''ÁVILA `X`',"
                               " 'RUA A, 1', NULL, '74255-060', 'GOIÂNIA', 'GO', '(62) 3241', '', 'j@x.br', '9', 'RG 1')"));
    Connect();
  }
  const std::string record = "('11122233344','JOS\xC9 D \xC1VILA  X ','RUA A, 1','','74255-060','GOI\xC2NIA','GO',"
                             "'(62) 3241','','j@x.br','9','RG 1')\r\n";
};

TEST_F(ConsultationCommands, ConsultaEmpresaAnswersTheConfiguredMemberOrHash) {
  EXPECT_EQ(Consult("CONSULTA_EMPRESA"), "#\r\n");
  WriteLocalConfig("42");
  EXPECT_EQ(Consult("CONSULTA_EMPRESA"), "000042\r\n");
  EXPECT_EQ(Consult("CONSULTA_EMPRESA(99,'1')"), "000042\r\n");
}

TEST_F(ConsultationCommands, ConsultaClienteAnswersTheRecordOnlyToThisTerminalsActiveMember) {
  const struct {
    const char *config;  // nullptr: no configuration file
    std::string line;
    std::string answer;
  } cases[] = {
      {"42", "CONSULTA_CLIENTE(42,'11122233344')", record},
      {"42", "CONSULTA_CLIENTE(0042,'11122233344')", record},
      {"42", "CONSULTA_CLIENTE( 42 ,'11122233344')", record},
      {"42", "CONSULTA_CLIENTE(43,'11122233344')", "#\r\n"},
      {"99", "CONSULTA_CLIENTE(99,'11122233344')", "#\r\n"},
      {"46", "CONSULTA_CLIENTE(46,'11122233344')", "#\r\n"},
      {"47", "CONSULTA_CLIENTE(47,'11122233344')", "#\r\n"},
      {"42", "CONSULTA_CLIENTE(42,'00000000000')", "#\r\n"},
      {nullptr, "CONSULTA_CLIENTE(43,'11122233344')", record},
      {nullptr, "CONSULTA_CLIENTE(99,'11122233344')", "#\r\n"},
  };
  for (const auto &c : cases) {
    DeleteFile("C:\\WINDOWS\\orvalix.cfg");
    if (c.config) WriteLocalConfig(c.config);
    EXPECT_EQ(Consult(c.line), c.answer) << c.line << " as " << (c.config ? c.config : "no configuration");
  }
  EXPECT_TRUE(Form().Database1->Connected());
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(ConsultationCommands, ConsultaDadosAnswersTheSumsOfTheLast15DaysAndTheRecord) {
  const std::string own = "('11122233344',1,0,150.00,0.00,0.00,2,160.00,0.00,0.00,0,0.00,CENTRO)\r\n";
  const struct {
    const char *config;
    std::string line;
    std::string answer;
  } cases[] = {
      {"42", "CONSULTA_DADOS(42,'11122233344')", own + record},
      {"42", "CONSULTA_DADOS(43,'11122233344')", "#\r\n"},
      {"99", "CONSULTA_DADOS(99,'11122233344')", "#\r\n"},
      {"46", "CONSULTA_DADOS(46,'11122233344')", "##\r\n"},
      {"50", "CONSULTA_DADOS(50,'11122233344')", "##\r\n"},
      {"42", "CONSULTA_DADOS(46,'11122233344')", "#\r\n"},
      {"47", "CONSULTA_DADOS(47,'11122233344')", own + record},  // NULL ativo counts as active
      {nullptr, "CONSULTA_DADOS(42,'11122233344')", own + record},
      // Sector 0: every member's own cheques, the group's other figures.
      {"48", "CONSULTA_DADOS(48,'11122233344')",
       "('11122233344',1,2,150.00,300.00,1234.50,2,160.00,0.00,0.00,0,0.00,CENTRO)\r\n" + record},
      // Found by the sector query only, and no record.
      {"42", "CONSULTA_DADOS(42,'99988877766')", "('',0,0,0.00,0.00,0.00,1,20.00,0.00,0.00,0,0.00,CENTRO)\r\n"},
      // The group's name as read, apostrophe and comma included.
      {"49", "CONSULTA_DADOS(49,'99988877766')",
       "('99988877766',1,0,20.00,0.00,0.00,1,20.00,0.00,0.00,0,0.00,D'OESTE, SUL)\r\n"},
      // NULL counts are empty items, NULL amounts 0.00.
      {"42", "CONSULTA_DADOS(42,'12312312312')",
       "('12312312312',,1,0.00,1234.50,0.00,,0.00,0.00,0.00,,0.00,CENTRO)\r\n"},
      {"42", "CONSULTA_DADOS(42,'00000000000')", "#\r\n"},
      {"42", "CONSULTA_DADOSX(42,'11122233344')", own + record},  // only the prefix is compared
  };
  for (const auto &c : cases) {
    DeleteFile("C:\\WINDOWS\\orvalix.cfg");
    if (c.config) WriteLocalConfig(c.config);
    EXPECT_EQ(Consult(c.line), c.answer) << c.line << " as " << (c.config ? c.config : "no configuration");
  }
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(ConsultationCommands, TheWindowHoldsToday15DaysAgoAndNothingOlder) {
  WriteLocalConfig("42");
  // 16 days ago (100) and the year before (1000) are left out; 15 days ago (10) and today (1) are summed.
  EXPECT_EQ(Consult("CONSULTA_DADOS(42,'55566677788')"),
            "('55566677788',11,0,0.00,0.00,0.00,11,0.00,25.50,30.00,2,40.25,CENTRO)\r\n");
}

TEST_F(ConsultationCommands, BlankParametersBecomeZeroButTooFewFailTheTick) {
  sql.Exec("insert into empresas values (0, 'ZERO', 'S', 1, 3)");
  sql.Exec("insert into clientes (cnpj_cpf, nome) values ('0', 'ZERO')");
  EXPECT_EQ(Consult("CONSULTA_CLIENTE(,  ,)"), "('0','ZERO','','','','','','','','','','')\r\n");
  EXPECT_EQ(Consult("CONSULTA_DADOS(,  ,)"), "#\r\n");
  for (const char *line : {"CONSULTA_DADOS( , )", "CONSULTA_CLIENTE(42)", "CONSULTA_DADOS", "CONSULTA_DADOS()"}) {
    Drop("CONS0001.TXT", std::string(line) + "\r\n");
    Tick();
    EXPECT_TRUE(Waiting("CONS0001.TXT")) << line;
    EXPECT_TRUE(Form().Database1->Connected()) << line;
    EXPECT_FALSE(Answered("RET0001.re")) << line;
    DeleteFile("C:\\ORVALIX\\REMESSA\\CONS0001.TXT");
  }
}

TEST_F(ConsultationCommands, SqlThatTheServerRejectsFailsTheTickBeforeAnyAnswer) {
  WriteLocalConfig("42");
  Drop("CONS0001.TXT", "CONSULTA_DADOS(42,'11122233344' or)\r\n");
  testing::internal::CaptureStderr();
  Tick();
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_NE(told.find("CONS0001.TXT: \"select a.cnpj_cpf,sum(a.chp_dev) chp_dev"), std::string::npos) << told;
  EXPECT_TRUE(Waiting("CONS0001.TXT"));
  EXPECT_FALSE(Answered("RET0001.re"));
  EXPECT_TRUE(Form().Database1->Connected());
  EXPECT_TRUE(MarkerExists());
}

}  // namespace
