// The result window: its components as the window description gives them, the clipboard kept blank
// while it lives, closing, and the print path through TEMP.RTF into the report's preview.

#include "ResultSample.h"
#include "consultation/ResultTemplate.h"
#include "consultation/uorvalix_consulta.h"
#include "consultation/uorvalix_mostra_consulta.h"
#include "platform/sys/Exceptions.h"
#include "platform/vcl/Anchors.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Fonts.h"
#include "support/TempDrive.h"

#include <QApplication>
#include <QClipboard>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

QString Clipboard() { return QGuiApplication::clipboard()->text(); }
void Copy(const QString &text) { QGuiApplication::clipboard()->setText(text); }

// Waits, handling events, until the clipboard holds the text or the time is up.
bool ClipboardBecomes(const QString &text, int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (Clipboard() != text && clock.elapsed() < milliseconds) QTest::qWait(5);
  return Clipboard() == text;
}

// The process's current folder moved to a folder of its own for one test.
class CurrentFolder {
 public:
  CurrentFolder() : saved_(fs::current_path()) { fs::current_path(dir_.path().toStdString()); }
  ~CurrentFolder() { fs::current_path(saved_); }
  fs::path File(const char *name) const { return fs::path(dir_.path().toStdString()) / name; }

 private:
  QTemporaryDir dir_;
  fs::path saved_;
};

class ResultWindowTest : public ::testing::Test {
 protected:
  void Fill() {
    drive.WriteFile(ResultTemplateFile, sample::ShippedTemplate());
    FillResultTemplate(*window.rick, sample::Summary(), sample::Record(), sample::kDigits);
  }
  TempDrive drive;
  Torvalix_mostra_consulta window{nullptr};
};

struct ComponentCase {
  const char *name;
  QRect bounds;
  bool visible;
};

TEST_F(ResultWindowTest, ComponentsAsTheWindowDescriptionGivesThem) {
  QWidget *form = window.Widget();
  EXPECT_EQ(window.Caption(), "Tela de Consulta - Orvalix Express");
  EXPECT_EQ(form->objectName(), "orvalix_mostra_consulta");
  EXPECT_EQ(form->pos(), QPoint(6, 10));
  EXPECT_EQ(form->minimumSize(), QSize(620, 549));
  EXPECT_EQ(form->maximumSize(), QSize(620, 549));  // a single fixed border
  EXPECT_EQ(window.BorderStyle(), bsSingle);
  const Qt::WindowFlags flags = form->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(form->font().family(), InstalledFamily("MS Sans Serif"));
  EXPECT_EQ(form->font().pixelSize(), 11);

  const ComponentCase cases[] = {
      {"Shape1", {-1, -1, 622, 517}, true}, {"Bevel3", {2, 518, 617, 31}, true},
      {"rick", {1, 38, 617, 476}, true},    {"BitBtn5", {22, 520, 99, 28}, false},
      {"BitBtn2", {520, 519, 75, 28}, true}, {"Edit1", {360, 520, 33, 21}, false},
  };
  for (const ComponentCase &c : cases) {
    auto *control = form->findChild<QWidget *>(c.name);
    ASSERT_NE(control, nullptr) << c.name;
    EXPECT_EQ(control->geometry(), c.bounds) << c.name;
    EXPECT_EQ(!control->isHidden(), c.visible) << c.name;
  }
  EXPECT_EQ(window.Label1->pos(), QPoint(234, 1));
  EXPECT_EQ(window.Label2->pos(), QPoint(233, 0));
  for (TLabel *label : {window.Label1, window.Label2}) {
    EXPECT_EQ(label->text(), "Atenção");
    EXPECT_EQ(label->font().family(), InstalledFamily("Verdana"));
    EXPECT_EQ(label->font().pixelSize(), 29);
    EXPECT_TRUE(label->font().bold());
    EXPECT_FALSE(label->autoFillBackground());
  }
  // The shape lies behind the text box, the yellow heading over the white one.
  const QObjectList children = form->children();
  EXPECT_LT(children.indexOf(window.Shape1), children.indexOf(window.rick));
  EXPECT_LT(children.indexOf(window.Label1), children.indexOf(window.Label2));

  EXPECT_TRUE(window.rick->isReadOnly());
  EXPECT_EQ(window.rick->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(window.rick->lineWrapMode(), QTextEdit::WidgetWidth);
  EXPECT_EQ(window.rick->toPlainText(), "rick");
  EXPECT_EQ(Anchors(window.rick), (TAnchors{akLeft, akTop, akRight, akBottom}));
  EXPECT_EQ(Anchors(window.BitBtn2), (TAnchors{akRight, akBottom}));

  EXPECT_EQ(window.BitBtn5->Caption(), "Im&primir");
  EXPECT_EQ(window.BitBtn5->toolTip(), "Imprime Orçamento de Venda.");
  EXPECT_EQ(window.BitBtn2->Caption(), "&Sair");
  EXPECT_EQ(window.BitBtn2->Hint(), "Fechar janela.");
  EXPECT_TRUE(window.BitBtn2->toolTip().isEmpty());
  EXPECT_FALSE(window.BitBtn2->icon().isNull());
  EXPECT_EQ(window.Edit1->Text(), " ");
  EXPECT_EQ(window.FindComponent("Timer1"), window.Timer1);
  EXPECT_EQ(window.Timer1->Interval(), 50u);
  EXPECT_TRUE(window.Timer1->Enabled());

  // rick comes first in the tab order.
  QWidget *next = form->nextInFocusChain();
  while (next != form && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
  EXPECT_EQ(next, window.rick);
}

TEST_F(ResultWindowTest, DrawnWithARedFrameAndTheYellowHeadingOverTheWhite) {
  const QImage image = window.Widget()->grab().toImage();
  ASSERT_EQ(image.size(), QSize(620, 549));
  const QRgb red = qRgb(255, 0, 0), silver = qRgb(192, 192, 192), yellow = qRgb(255, 255, 128);
  EXPECT_EQ(image.pixel(10, 20), red);    // the heading's ground
  EXPECT_EQ(image.pixel(0, 300), red);    // the edge around the text
  EXPECT_EQ(image.pixel(619, 300), red);
  EXPECT_EQ(image.pixel(300, 514), red);
  EXPECT_EQ(image.pixel(300, 515), silver);  // the shape's pen under the text
  EXPECT_EQ(image.pixel(300, 400), qRgb(255, 255, 251));  // inside the text box
  int yellowPixels = 0, whitePixels = 0;
  for (int y = 0; y < 38; ++y)
    for (int x = 200; x < 420; ++x) {
      yellowPixels += image.pixel(x, y) == yellow;
      whitePixels += image.pixel(x, y) == qRgb(255, 255, 255);
    }
  EXPECT_GT(yellowPixels, 300);
  EXPECT_GT(whitePixels, 20);  // the white lettering shows at the edge
  EXPECT_LT(whitePixels, yellowPixels);
}

TEST_F(ResultWindowTest, AnchoredComponentsFollowTheWindowsSize) {
  window.Show();
  window.Widget()->setFixedSize(700, 600);
  QApplication::processEvents();
  EXPECT_EQ(window.Shape1->geometry(), QRect(-1, -1, 702, 568));
  EXPECT_EQ(window.rick->geometry(), QRect(1, 38, 697, 527));
  EXPECT_EQ(window.Bevel3->geometry(), QRect(2, 569, 697, 31));
  EXPECT_EQ(window.BitBtn2->geometry(), QRect(600, 570, 75, 28));
  EXPECT_EQ(window.Label2->pos(), QPoint(233, 0));
  EXPECT_EQ(window.Edit1->geometry(), QRect(360, 520, 33, 21));
  window.Hide();
}

TEST_F(ResultWindowTest, FilledFromTheShippedTemplateLineByLine) {
  Fill();
  window.Show();
  QApplication::processEvents();
  const TRichEditStrings &lines = *window.rick->Lines;
  ASSERT_EQ(lines.Count(), 29);
  EXPECT_EQ(lines.Strings(0), "ASSOCIAÇÃO COMERCIAL - CONSULTA DE CRÉDITO"_a);
  EXPECT_EQ(lines.Strings(4), "NOME: MARIA APARECIDA DOS SANTOS");
  EXPECT_EQ(lines.Strings(10), "CNPJ/CPF: 39053344705" + AnsiString(7, ' ') + "  INSCR/RG: 4.567.890-1");
  EXPECT_EQ(lines.Strings(12), "Grupo consultado: GRUPO CENTRO - VAREJO");
  EXPECT_EQ(lines.Strings(15), "Próprios, no setor: 1 Cheque no valor de R$ 160,50"_a);
  EXPECT_EQ(lines.Strings(24), "R$ 2.480,75 (Dois mil quatrocentos e oitenta reais e setenta e cinco centavos)");
  // The customer block's lines fit the box: each is one line on the screen, as the fill counts them.
  for (int i = 4; i <= 10; ++i) {
    const QTextBlock block = window.rick->document()->findBlockByNumber(i);
    ASSERT_NE(block.layout(), nullptr);
    EXPECT_EQ(block.layout()->lineCount(), 1) << lines.Strings(i);
  }
  // Shown from its start.
  EXPECT_EQ(window.rick->verticalScrollBar()->value(), 0);
  window.Hide();
}

TEST_F(ResultWindowTest, TheTimerReplacesWhateverIsCopiedByOneBlank) {
  Copy("segredo");
  window.Timer1Timer(window.Timer1);
  EXPECT_EQ(Clipboard(), " ");
  // Its ticks do the same while the window lives, also before it is shown.
  Copy("copiado do resultado");
  EXPECT_TRUE(ClipboardBecomes(" ", 1000));
}

TEST_F(ResultWindowTest, WhileShownModallyTheClipboardIsBlankAtTheNextTickAndSairCloses) {
  Fill();
  QString duringShow, copied;
  QTimer::singleShot(30, [&] {
    window.rick->selectAll();
    window.rick->copy();  // the operator copies the result
    copied = Clipboard();
    QTimer::singleShot(window.Timer1->Interval() + 40, [&] {
      duringShow = Clipboard();
      window.Widget()->showMinimized();  // by the desktop, though the window has no minimize box
      if (window.Widget()->isMinimized()) duringShow = "minimized";
      window.BitBtn2->Click();
    });
  });
  EXPECT_EQ(window.ShowModal(), mrCancel);
  EXPECT_TRUE(copied.startsWith("ASSOCIAÇÃO COMERCIAL")) << copied.toStdString();
  EXPECT_EQ(duringShow, " ");
  EXPECT_FALSE(window.Visible());
}

// X11 has a second clipboard: a mouse selection goes there at once, and a middle click pastes it anywhere.
TEST_F(ResultWindowTest, OnX11AMouseSelectionOfTheResultIsBlankAtTheNextTick) {
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X display (ctest runs it under xvfb-run)";
  QClipboard *clipboard = QGuiApplication::clipboard();
  ASSERT_TRUE(clipboard->supportsSelection());
  Fill();
  window.Show();
  QWidget *area = window.rick->viewport();
  QTest::mousePress(area, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseMove(area, QPoint(400, 120));
  QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(400, 120));
  EXPECT_TRUE(clipboard->text(QClipboard::Selection).contains("ASSOCIAÇÃO"));
  QElapsedTimer clock;
  clock.start();
  while (clipboard->text(QClipboard::Selection) != " " && clock.elapsed() < 1000) QTest::qWait(5);
  EXPECT_EQ(clipboard->text(QClipboard::Selection), " ");
  window.Hide();
}

TEST(ResultWindow, AfterTheWindowGoesTheBlankStaysUntilSomethingElseIsCopied) {
  {
    Torvalix_mostra_consulta window(nullptr);
    orvalix_mostra_consulta = &window;
    Copy("x");
    window.Timer1Timer(nullptr);
  }
  EXPECT_EQ(orvalix_mostra_consulta, nullptr);
  QTest::qWait(120);
  EXPECT_EQ(Clipboard(), " ");
  Copy("depois");
  QTest::qWait(120);
  EXPECT_EQ(Clipboard(), "depois");
}

TEST_F(ResultWindowTest, PrintHandsTheSavedTextToThePreviewAndDeletesTempRtf) {
  Fill();
  CurrentFolder folder;
  std::ofstream(folder.File("TEMP.RTF")) << "antigo";  // a stale one is overwritten, then deleted
  const int components = window.ComponentCount();
  int previews = 0;
  SetPreviewHookForTesting([&](TQuickRep &report, QPrinter &printer) {
    ++previews;
    EXPECT_EQ(&report, orvalix_consulta);
    EXPECT_EQ(report.Owner(), &window);
    EXPECT_FALSE(fs::exists(folder.File("TEMP.RTF")));
    const QTextDocument &printed = orvalix_consulta->rick->Document();
    EXPECT_EQ(printed.toPlainText(), window.rick->toPlainText());
    const QTextCharFormat heading = printed.begin().begin().fragment().charFormat();
    EXPECT_EQ(heading.fontWeight(), QFont::Bold);
    EXPECT_EQ(printed.begin().blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
    printer.setOutputFileName(QString::fromStdString(folder.File("preview.pdf").string()));
    report.Print(printer);
  });
  window.BitBtn5Click(window.BitBtn5);
  SetPreviewHookForTesting({});
  EXPECT_EQ(previews, 1);
  EXPECT_GT(fs::file_size(folder.File("preview.pdf")), 1000u);
  EXPECT_FALSE(fs::exists(folder.File("TEMP.RTF")));
  EXPECT_EQ(orvalix_consulta, nullptr);
  EXPECT_EQ(window.ComponentCount(), components);  // the report was freed
}

TEST_F(ResultWindowTest, ATempRtfThatCannotBeWrittenIsTheFileErrorAndNoPreview) {
  CurrentFolder folder;
  fs::create_directory(folder.File("TEMP.RTF"));
  int previews = 0;
  SetPreviewHookForTesting([&](TQuickRep &, QPrinter &) { ++previews; });
  EXPECT_THROW(window.BitBtn5Click(window.BitBtn5), EFCreateError);
  // Pressed, the error goes to the default box and the window stays.
  MessageBoxSeam seam([](const TMessageBoxCall &) { return IDOK; });
  window.Show();
  window.BitBtn5->Click();
  SetPreviewHookForTesting({});
  EXPECT_EQ(previews, 0);
  ASSERT_EQ(seam.Calls().size(), 1u);
  EXPECT_EQ(seam.Calls()[0].Text.substr(0, 30), "Cannot create file \"TEMP.RTF\".");
  EXPECT_TRUE(window.Visible());
  EXPECT_TRUE(fs::is_directory(folder.File("TEMP.RTF")));
  EXPECT_EQ(orvalix_consulta, nullptr);
  window.Hide();
}

}  // namespace
