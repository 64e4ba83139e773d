#pragma once
// A connected main window with members, customers and facts around 8 December 2026, this terminal
// configured as member 42, the shipped result template on drive C: and the consultation window shown.

#include "ResultSample.h"
#include "consultation/ResultTemplate.h"
#include "consultation/UConsulta.h"
#include "core/BatchFixture.h"

#include <QTest>
#include <memory>

class ConsultationTest : public BatchTest {
 protected:
  // Groups: 1 CENTRO, 2 without a name. Members (number, active, group, sector): 42, 43, 47 (ativo
  // NULL), 46 "N" and 50 "s" in group 1, sector 3; 44 in group 1, sector 5; 48 in group 1, sector 0;
  // 51 in group 2, sector 3; 52 in group 9, which has no row.
  static constexpr const char *kCpf = "11144477735";        // record and sums
  static constexpr const char *kWithoutRecord = "22233344405";
  static constexpr const char *kZeroSums = "33344455508";
  static constexpr const char *kWithoutSums = "44455566619";  // record only

  void SetUp() override {
    BatchTest::SetUp();
    sql.Exec("insert into grupos values (1, 'CENTRO'), (2, '')");
    sql.Exec("insert into empresas values (42,'LOJA 42','S',1,3), (43,'LOJA 43','S',1,3), (44,'LOJA 44','S',1,5),"
             "(46,'LOJA 46','N',1,3), (47,'LOJA 47',NULL,1,3), (48,'LOJA 48','S',1,0), (50,'LOJA 50','s',1,3),"
             "(51,'LOJA 51','S',2,3), (52,'LOJA 52','S',9,3)");
    sql.Exec("insert into dados (cnpj_cpf, empresa, data_mov, chp_dev, chp_dev_vlr, cht_dev, cht_dev_vlr,"
             " tit_em_ab, chp_acomp, cht_acomp, chq_dev_outros, chq_dev_outros_vlr) values "
             "('11144477735', 43, '2026-12-08', 1, 150.00, 1, 80.00, 1234.50, 0, 45.10, 1, 30.00),"
             "('11144477735', 44, '2026-12-01', 2, 20.00, 0, 0, 0, 0, 0, 0, 0),"
             "('11144477735', 51, '2026-11-30', 5, 500.00, 0, 0, 0, 0, 0, 0, 0),"
             "('11144477735', 43, '2026-10-01', 9, 900.00, 0, 0, 0, 0, 0, 0, 0),"
             "('22233344405', 43, '2026-12-07', 0, 0, 2, 300.00, 0, 0, 0, 0, 0),"
             "('33344455508', 43, '2026-12-07', 0, 0, 0, 0, 0, 0, 0, 0, 0)");
    sql.Exec(QString::fromUtf8("insert into clientes (cnpj_cpf, nome, endereco, bairro, cep, cidade, uf, telefone,"
                               " fax, email, celular, insc_rg) values"
                               " ('11144477735', 'josé d''ávila', 'rua a, 1', 'centro', '74255-060', 'goiânia',"
                               " 'go', '(62) 3241', NULL, 'J.Davila@X.BR', '9', 'rg 1'),"
                               " ('44455566619', 'FULANO', '', '', '', '', '', '', '', '', '', '')"));
    drive.WriteFile(ResultTemplateFile, sample::ShippedTemplate());
    WriteLocalConfig("42");
    Connect();
    window = std::make_unique<TConsulta>(Form1);
    Consulta = window.get();
    window->Show();
    window->Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
  }

  void TearDown() override {
    window.reset();
    BatchTest::TearDown();
  }

  // Types the number into the box and presses Enter, as the operator does.
  void Enter(const char *number) {
    window->DOC->setFocus();
    window->DOC->home(false);
    QTest::keyClicks(window->DOC, number);
    QTest::keyClick(window->DOC, Qt::Key_Return);
  }

  std::unique_ptr<TConsulta> window;
};
