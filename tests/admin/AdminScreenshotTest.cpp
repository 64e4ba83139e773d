// Not checks: draw the statistics window (filled from a seeded database), the SQL console with a row of
// its result in editing and the help window on a real
// X display with a window manager, and capture each with its frame through ImageMagick. Run only when
// ORVALIX_SCREENSHOT names the picture to write (scripts/screenshot does that under Xvfb).

#include "admin/UInstr_sql.h"
#include "admin/USTATUS.h"
#include "admin/uHelp.h"
#include "StatisticsFixture.h"
#include "support/GridKeys.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString Picture() { return qEnvironmentVariable("ORVALIX_SCREENSHOT"); }

// Why no picture is taken here; empty when one is.
std::string NoPicture() {
  if (Picture().isEmpty()) return "set ORVALIX_SCREENSHOT to the picture to write";
  if (QGuiApplication::platformName() != "xcb") return "needs an X display (QT_QPA_PLATFORM=xcb)";
  return {};
}

// `shown` acts on the window once it is on the screen.
void Capture(TForm &window, const std::function<void()> &shown = {}) {
  window.Show();
  if (shown) shown();
  QTest::qWait(600);  // framed by the window manager and painted
  const QRect frame = window.Widget()->frameGeometry();
  const QString crop = QStringLiteral("%1x%2+%3+%4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y());
  ASSERT_EQ(QProcess::execute("import", {"-window", "root", "-crop", crop, "+repage", Picture()}), 0);
  window.Hide();
}

using StatisticsWindowScreenshot = StatisticsFixture;

TEST_F(StatisticsWindowScreenshot, FilledFromASeededDatabase) {
  if (const std::string why = NoPicture(); !why.empty()) GTEST_SKIP() << why;
  Seed(1287, {"3, 1834.50, 0, 420.00", "1, 95.20, 12750.00, 0", "2, 0, 310.75, 88340.10"});
  TSTATUS window(Form1);
  window.FillStatistics();
  Capture(window);
}

TEST_F(StatisticsWindowScreenshot, SqlConsoleWithARowInEditing) {
  if (const std::string why = NoPicture(); !why.empty()) GTEST_SKIP() << why;
  sql.Exec("insert into grupos (numero, nome) values (1, 'CENTRO'), (2, 'NORTE')");
  sql.Exec("insert into empresas (numero, nome, ativo, grupo, setor) values (1, 'SUPERMERCADO BOA VISTA', 'S', 1, 0), "
           "(2, 'MATERIAIS ALVORADA', 'S', 1, 3), (3, 'FARMACIA SAO JOSE', 'N', 2, 3), (4, 'AUTO PECAS RIO VERDE', 'S', 2, 5)");
  TInstr_SQL window(Form1);
  window.Memo1->setPlainText("select numero, nome, ativo, grupo, setor\nfrom empresas\norder by numero");
  window.SpeedButton1->Click();
  Capture(window, [&window] {
    TDBGrid *grid = window.DBGrid1;
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(1, 1));
    gridkeys::Type(grid, "MATERIAIS ALVORADA LTDA");
  });
}

TEST(HelpWindowScreenshot, AsOpened) {
  if (const std::string why = NoPicture(); !why.empty()) GTEST_SKIP() << why;
  Thelp window(nullptr);
  Capture(window);
}

}  // namespace
