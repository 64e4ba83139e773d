// The statistics window: the figures it reads from the shared database with Brazilian
// settings, an error on the way that travels to the caller, and its hatched ground.

#include "admin/USTATUS.h"
#include "StatisticsFixture.h"
#include "platform/sys/Exceptions.h"

#include <QSqlDatabase>
#include <gtest/gtest.h>

namespace {

class StatisticsWindow : public StatisticsFixture {
 protected:
  static std::vector<QString> Figures(const TSTATUS &window) {
    std::vector<QString> figures;
    for (TLabel *label : {window.A, window.B, window.C, window.D, window.E, window.F, window.G, window.H})
      figures.push_back(label->text());
    return figures;
  }
};

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
    EXPECT_EQ(window.G->geometry().right() + 1, 373) << c.name;
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
