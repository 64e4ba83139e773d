// Not checks: draw the statistics window (filled from a seeded database) and the help window on a real
// X display with a window manager, and capture each with its frame through ImageMagick. Run only when
// ORVALIX_SCREENSHOT names the picture to write (scripts/screenshot does that under Xvfb).

#include "admin/USTATUS.h"
#include "admin/uHelp.h"
#include "core/MainWindowFixture.h"
#include "support/NumberSeparators.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString Picture() { return qEnvironmentVariable("ORVALIX_SCREENSHOT"); }
bool OnAnXDisplay() { return QGuiApplication::platformName() == "xcb"; }

void Capture(TForm &window) {
  window.Show();
  QTest::qWait(600);  // framed by the window manager and painted
  const QRect frame = window.Widget()->frameGeometry();
  const QString crop = QStringLiteral("%1x%2+%3+%4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y());
  ASSERT_EQ(QProcess::execute("import", {"-window", "root", "-crop", crop, "+repage", Picture()}), 0);
  window.Hide();
}

class StatisticsWindowScreenshot : public MainWindowTest {};

TEST_F(StatisticsWindowScreenshot, FilledFromASeededDatabase) {
  if (Picture().isEmpty()) GTEST_SKIP() << "set ORVALIX_SCREENSHOT to the picture to write";
  if (!OnAnXDisplay()) GTEST_SKIP() << "needs an X display (QT_QPA_PLATFORM=xcb)";
  testdb::Sql sql;
  sql.ResetTables();
  for (int i = 1; i <= 1287; ++i) sql.Exec(QStringLiteral("insert into clientes (cnpj_cpf) values ('%1')").arg(i));
  for (const char *row : {"3, 1834.50, 0, 420.00", "1, 95.20, 12750.00, 0", "2, 0, 310.75, 88340.10"})
    sql.Exec(QStringLiteral("insert into dados (cnpj_cpf, empresa, data_mov, chp_dev, chp_dev_vlr, cht_dev_vlr, "
                            "tit_em_ab) values ('39053344705', 1, '2026-12-01', %1)")
                 .arg(row));
  BrazilianSeparators brazil;
  CreateMainWindow().Timer2->SetEnabled(false);
  Form1->ConnectDatabase();
  TSTATUS window(Form1);
  window.FillStatistics();
  Capture(window);
}

TEST(HelpWindowScreenshot, AsOpened) {
  if (Picture().isEmpty()) GTEST_SKIP() << "set ORVALIX_SCREENSHOT to the picture to write";
  if (!OnAnXDisplay()) GTEST_SKIP() << "needs an X display (QT_QPA_PLATFORM=xcb)";
  Thelp window(nullptr);
  Capture(window);
}

}  // namespace
