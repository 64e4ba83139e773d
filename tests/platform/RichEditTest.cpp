#include "platform/vcl/RichEdit.h"
#include "platform/sys/Exceptions.h"
#include "support/TempDrive.h"

#include <QTextBlock>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <vector>

namespace {

const std::string kHeader =
    R"({\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}{\f1 Courier New;}}{\colortbl ;\red255\green0\blue0;})";

std::vector<AnsiString> AllLines(const TRichEdit &edit) {
  std::vector<AnsiString> lines;
  for (int i = 0; i < edit.Lines->Count(); ++i) lines.push_back(edit.Lines->Strings(i));
  return lines;
}

QTextCharFormat CharsAt(const TRichEdit &edit, int line, int offset) {
  QTextCursor cursor(edit.document()->findBlockByNumber(line));
  cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor, offset + 1);
  return cursor.charFormat();
}

class RichEditTest : public ::testing::Test {
 protected:
  void Load(const std::string &body) {
    drive.WriteFile("C:\\Orvalix\\t.rtf", kHeader + body);
    edit.Lines->LoadFromFile("C:\\Orvalix\\t.rtf");
  }

  TempDrive drive;
  TRichEdit edit;
};

TEST_F(RichEditTest, LinesAreParagraphsAndAnEmptyLastOneIsNoLine) {
  EXPECT_EQ(edit.Lines->Count(), 0);
  const std::pair<std::string, std::vector<AnsiString>> cases[] = {
      {R"(a\par b\par})", {"a", "b"}},
      {R"(a\par b})", {"a", "b"}},
      {R"(a\par b\par\par})", {"a", "b"}},  // the empty last paragraph
      {R"(\par\par a\par})", {"", "", "a"}},
      {R"(Cr\'e9dito\line linha\tab x\par})", {"Crédito\vlinha\tx"_a}},
      {R"(\u322?\par})", {"?"}},  // outside cp1252
      {R"(})", {}},
  };
  for (const auto &[body, lines] : cases) {
    Load(body);
    EXPECT_EQ(AllLines(edit), lines) << body;
  }
}

TEST_F(RichEditTest, LineIndexOutsideTheLinesRaises) {
  Load(R"(a\par b\par})");
  for (int index : {-1, 2, 100}) {
    EXPECT_THROW(edit.Lines->Strings(index), EStringListError) << index;
    EXPECT_THROW(edit.Lines->SetStrings(index, "x"), EStringListError) << index;
  }
}

TEST_F(RichEditTest, ReplacingALineKeepsTheOtherLinesFormatting) {
  Load(R"(\qc\b\cf1 Titulo\par\pard\f1\fs20 Grupo:\f0\fs30  #grupo# fim\par\i rodap\'e9\par})");
  edit.Lines->SetStrings(1, "Grupo: CENTRO fim");
  EXPECT_EQ(AllLines(edit), (std::vector<AnsiString>{"Titulo", "Grupo: CENTRO fim", "rodapé"_a}));

  const QTextCharFormat title = CharsAt(edit, 0, 0);
  EXPECT_EQ(title.fontWeight(), QFont::Bold);
  EXPECT_EQ(title.foreground().color(), QColor(255, 0, 0));
  EXPECT_EQ(edit.document()->findBlockByNumber(0).blockFormat().alignment(), Qt::AlignHCenter);
  EXPECT_TRUE(CharsAt(edit, 2, 0).fontItalic());
  EXPECT_EQ(CharsAt(edit, 2, 0).fontPointSize(), 15);

  // The new text takes the format of the line's first character.
  for (int offset : {0, 10, 16}) {
    const QTextCharFormat replaced = CharsAt(edit, 1, offset);
    EXPECT_EQ(replaced.fontFamilies().toStringList(), QStringList{"Courier New"}) << offset;
    EXPECT_EQ(replaced.fontPointSize(), 10) << offset;
    EXPECT_FALSE(replaced.fontItalic()) << offset;
  }
}

TEST_F(RichEditTest, LineBreaksInTheNewTextMakeMoreLinesInTheSameParagraphFormat) {
  Load(R"(antes\par\qr\f1 um #cliente# dois\par\pard depois\par})");
  edit.Lines->SetStrings(1, "um A\r\nB\rC\nD\r\n dois\vtres");
  EXPECT_EQ(AllLines(edit), (std::vector<AnsiString>{"antes", "um A", "B", "C", "D", " dois\vtres", "depois"}));
  for (int line = 1; line <= 5; ++line) {
    EXPECT_EQ(edit.document()->findBlockByNumber(line).blockFormat().alignment(), Qt::AlignRight) << line;
    EXPECT_EQ(CharsAt(edit, line, 0).fontFamilies().toStringList(), QStringList{"Courier New"}) << line;
  }
  EXPECT_EQ(edit.document()->findBlockByNumber(6).blockFormat().alignment(), Qt::AlignLeft);
}

TEST_F(RichEditTest, ReplacingAnEmptyLineUsesItsParagraphMarkFormat) {
  Load(R"(a\par\f1\fs40\par b\par})");
  edit.Lines->SetStrings(1, "novo");
  EXPECT_EQ(AllLines(edit), (std::vector<AnsiString>{"a", "novo", "b"}));
  EXPECT_EQ(CharsAt(edit, 1, 0).fontPointSize(), 20);
  EXPECT_EQ(CharsAt(edit, 1, 0).fontFamilies().toStringList(), QStringList{"Courier New"});
}

TEST_F(RichEditTest, SavedRichTextLoadsBackWithItsLinesAndFormatting) {
  Load(R"(\qc\b Aten\'e7\'e3o\par\pard\cf1 \u322?x\tab y\par})");
  edit.Lines->SaveToFile("c:\\orvalix\\COPIA.RTF");
  EXPECT_EQ(drive.ReadFile("C:\\Orvalix\\copia.rtf").substr(0, 6), "{\\rtf1");

  TRichEdit other;
  other.setPlainText("rick");
  other.moveCursor(QTextCursor::End);
  other.Lines->LoadFromFile("C:\\ORVALIX\\Copia.rtf");
  EXPECT_EQ(other.textCursor().position(), 0);  // the caret at the start
  EXPECT_EQ(AllLines(other), (std::vector<AnsiString>{"Atenção"_a, "?x\ty"}));
  EXPECT_EQ(other.document()->toPlainText(), edit.document()->toPlainText());
  EXPECT_EQ(CharsAt(other, 0, 0).fontWeight(), QFont::Bold);
  EXPECT_EQ(other.document()->findBlockByNumber(0).blockFormat().alignment(), Qt::AlignHCenter);
  EXPECT_EQ(CharsAt(other, 1, 0).foreground().color(), QColor(255, 0, 0));
}

TEST_F(RichEditTest, FilesThatCannotBeReadRaiseAndLeaveTheBoxAlone) {
  Load(R"(kept\par})");
  EXPECT_THROW(edit.Lines->LoadFromFile("C:\\Orvalix\\missing.rtf"), EFOpenError);
  EXPECT_THROW(edit.Lines->LoadFromFile("C:\\Orvalix"), EFOpenError);  // a folder
  drive.WriteFile("C:\\Orvalix\\plain.rtf", "just text");
  EXPECT_THROW(edit.Lines->LoadFromFile("C:\\Orvalix\\plain.rtf"), EReadError);
  drive.WriteFile("C:\\Orvalix\\cut.rtf", kHeader + R"(half a par)");
  EXPECT_THROW(edit.Lines->LoadFromFile("C:\\Orvalix\\cut.rtf"), EReadError);
  EXPECT_EQ(AllLines(edit), std::vector<AnsiString>{"kept"});

  try {
    edit.Lines->LoadFromFile("C:\\Orvalix\\missing.rtf");
  } catch (const EFOpenError &e) {
    EXPECT_NE(e.Message.find("C:\\Orvalix\\missing.rtf"), AnsiString::npos) << e.Message;
  }
  EXPECT_THROW(edit.Lines->SaveToFile("C:\\No\\Such\\Folder\\x.rtf"), EFCreateError);
}

}  // namespace
