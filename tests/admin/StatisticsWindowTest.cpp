// The statistics window: its components, the figures it reads from the shared database with Brazilian
// settings, and an error on the way that travels to the caller.

#include "admin/USTATUS.h"
#include "core/MainWindowFixture.h"
#include "platform/sys/Exceptions.h"
#include "platform/vcl/Anchors.h"
#include "platform/vcl/Fonts.h"
#include "support/NumberSeparators.h"

#include <QBuffer>
#include <QSqlDatabase>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class StatisticsWindow : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    sql.ResetTables();
    CreateMainWindow().Timer2->SetEnabled(false);
    Form1->ConnectDatabase();
    ASSERT_TRUE(Form1->Database1->Connected());
  }

  void Seed(int customers, const std::vector<const char *> &rows) {
    for (int i = 1; i <= customers; ++i)
      sql.Exec(QStringLiteral("insert into clientes (cnpj_cpf, nome) values ('%1', 'CLIENTE')").arg(i));
    for (const char *row : rows)
      sql.Exec(QStringLiteral("insert into dados (cnpj_cpf, empresa, data_mov, chp_dev, chp_dev_vlr, cht_dev_vlr, "
                              "tit_em_ab) values ('39053344705', 1, '2026-12-01', %1)")
                   .arg(row));
  }

  static std::vector<QString> Figures(const TSTATUS &window) {
    std::vector<QString> figures;
    for (TLabel *label : {window.A, window.B, window.C, window.D, window.E, window.F, window.G, window.H})
      figures.push_back(label->text());
    return figures;
  }

  testdb::Sql sql;
  BrazilianSeparators brazil;
};

QColor TextColor(const QWidget *control) { return control->palette().color(QPalette::WindowText); }

TEST_F(StatisticsWindow, ComponentsAsTheWindowDescriptionGivesThem) {
  TSTATUS window(Form1);
  QWidget *form = window.Widget();
  EXPECT_EQ(window.Caption(), "STATUS");
  EXPECT_EQ(form->pos(), QPoint(158, 176));
  EXPECT_EQ(form->maximumSize(), QSize(471, 253));
  EXPECT_EQ(form->minimumSize(), QSize(471, 253));
  EXPECT_EQ(window.BorderStyle(), bsSingle);
  EXPECT_FALSE(form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(window.Image1->geometry(), QRect(0, 0, 471, 253));
  EXPECT_TRUE(window.Image1->hasScaledContents());
  EXPECT_EQ(window.Bevel1->geometry(), QRect(4, 45, 464, 172));
  EXPECT_EQ(window.Shape1->geometry(), QRect(5, 47, 463, 169));
  EXPECT_EQ(Anchors(window.Shape1), (TAnchors{akLeft, akTop, akRight}));
  EXPECT_EQ(window.BitBtn2->geometry(), QRect(209, 222, 63, 27));
  EXPECT_EQ(window.BitBtn2->Caption(), "&Sair");
  EXPECT_EQ(window.BitBtn2->Hint(), "Fechar janela.");
  EXPECT_TRUE(window.BitBtn2->toolTip().isEmpty());
  EXPECT_EQ(Anchors(window.BitBtn2), (TAnchors{akLeft, akBottom}));
  EXPECT_EQ(window.Label1->text(), "Estatísticas");
  EXPECT_EQ(window.Label1->pos(), QPoint(171, 13));
  EXPECT_EQ(window.Label1->font().family(), InstalledFamily("Verdana"));
  EXPECT_TRUE(window.Label1->font().bold() && window.Label1->font().underline());
  EXPECT_EQ(TextColor(window.Label1), QColor(0, 0, 128));

  const struct {
    TLabel *caption;
    const char *text;
    TLabel *value;
    int top;
    int edge;  // left edge of A and B, right edge of the others
    QColor color;
  } rows[] = {
      {window.Label2, "DADOS CADASTRAIS DE EMPRESAS:", window.A, 64, 208, Qt::blue},
      {window.Label3, "CHEQUES DEVOLVIDOS:", window.B, 82, 141, Qt::red},
      {window.Label5, "EMPRESA COM MAIOR VALOR DE CHEQUES PRÓPRIOS DEVOLVIDOS:", window.C, 103, 462, Qt::black},
      {window.Label7, "EMPRESA COM MENOR VALOR DE CHEQUES PRÓPRIOS DEVOLVIDOS:", window.D, 118, 462, Qt::black},
      {window.Label9, "EMPRESA COM MAIOR VALOR DE CHEQUES DE TERCEIROS DEVOLVIDOS:", window.E, 139, 462, Qt::black},
      {window.Label10, "EMPRESA COM MENOR VALOR DE CHEQUES DE TERCEIROS DEVOLVIDOS:", window.F, 154, 462, Qt::black},
      {window.Label13, "EMPRESA COM MAIOR VALOR DE TÍTULOS EM ABERTO:", window.G, 176, 373, Qt::black},
      {window.Label14, "EMPRESA COM MENOR VALOR DE TÍTULOS EM ABERTO:", window.H, 191, 373, Qt::black},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const auto &row = rows[i];
    EXPECT_EQ(row.caption->text(), row.text);
    EXPECT_EQ(row.caption->pos(), QPoint(11, row.top)) << row.text;
    EXPECT_EQ(row.value->text(), "0") << row.text;
    EXPECT_EQ(row.value->y(), row.top) << row.text;
    const bool rightAligned = i >= 2;
    EXPECT_EQ(rightAligned ? row.value->geometry().right() + 1 : row.value->x(), row.edge) << row.text;
    EXPECT_TRUE(row.value->font().bold()) << row.text;
    EXPECT_EQ(TextColor(row.value), row.color) << row.text;
  }
}

TEST_F(StatisticsWindow, FiguresOfTheWholeDatabaseInTheirPatterns) {
  const struct {
    const char *name;
    int customers;
    std::vector<const char *> rows;  // chp_dev, chp_dev_vlr, cht_dev_vlr, tit_em_ab
    std::vector<QString> figures;    // A to H
  } cases[] = {
      {"an empty dados", 2, {}, {"2", "0", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00"}},
      {"a seeded dados",
       3,
       {"1200003, 1234.50, 0, -10.00", "2, 80.25, 1500000.75, 0", "-1, 0, 35.10, 999.99", "10, -5.00, 12.00, 2500.00"},
       {"3", "1.200.014", "1.234,50", "80,25", "1.500.000,75", "12,00", "2.500,00", "999,99"}},
      {"only zero and negative values", 0,
       {"0, 0, -3.50, -7.25", "-2, -1.00, 0, -0.10"},
       {"0", "-2", "0,00", "0,00", "0,00", "0,00", "-0,10", "0,00"}},
  };
  for (const auto &c : cases) {
    sql.ResetTables();
    Seed(c.customers, c.rows);
    TSTATUS window(Form1);
    window.FillStatistics();
    EXPECT_EQ(Figures(window), c.figures) << c.name;
    // The right-aligned figures grow to the left, the others to the right.
    EXPECT_EQ(window.B->x(), 141) << c.name;
    EXPECT_EQ(window.E->geometry().right() + 1, 462) << c.name;
    EXPECT_EQ(window.E->width(), window.E->sizeHint().width()) << c.name;
    EXPECT_FALSE(Form1->quecon->Active()) << c.name;
  }
}

TEST_F(StatisticsWindow, AConnectionLostOnTheWayStopsTheFiguresAndRaisesToTheCaller) {
  Seed(5, {"1, 10.00, 20.00, 30.00"});
  TSTATUS window(Form1);
  // The server goes away right after the first statement has brought its row.
  int opens = 0;
  Form1->quecon->AfterOpen = [&](TObject *) {
    if (++opens == 1) QSqlDatabase::database(Form1->Database1->QtConnectionName(), false).close();
  };
  EXPECT_THROW(window.FillStatistics(), EDatabaseError);
  EXPECT_EQ(Figures(window), (std::vector<QString>{"5", "0", "0", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(opens, 1);
}

TEST_F(StatisticsWindow, TheBackgroundPictureIsLoadedWhenPresentAndSairCloses) {
  EXPECT_TRUE(TSTATUS(Form1).Image1->Empty());
  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(Qt::darkCyan);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "BMP");
  drive.WriteFile("C:\\ORVALIX\\FUNDO2.BMP", bytes.toStdString());

  TSTATUS window(Form1);
  EXPECT_FALSE(window.Image1->Empty());
  QTimer::singleShot(20, [&] { window.BitBtn2->Click(); });
  EXPECT_EQ(window.ShowModal(), mrCancel);
  EXPECT_FALSE(window.Visible());
}

TEST_F(StatisticsWindow, TheHatchRunsDownFromLeftToRightWithoutAnEdge) {
  TSTATUS window(Form1);
  const QImage image = window.Widget()->grab().toImage();
  const QRgb hatch = qRgb(208, 230, 242);
  int hatched = 0;
  for (int y = 50; y < 58; ++y)
    for (int x = 200; x < 208; ++x)
      if (image.pixel(x, y) == hatch) {
        ++hatched;
        EXPECT_EQ(image.pixel(x + 1, y + 1), hatch) << x << "," << y;
        EXPECT_NE(image.pixel(x + 1, y), hatch) << x << "," << y;
      }
  EXPECT_EQ(hatched, 8);  // one line through every 8 x 8 block
  for (int y = 60; y < 200; ++y) EXPECT_NE(image.pixel(5, y), qRgb(0, 0, 0)) << y;
}

}  // namespace
