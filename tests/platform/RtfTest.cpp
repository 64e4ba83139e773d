#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"
#include "platform/sys/Exceptions.h"

#include <QTextBlock>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace Qt::StringLiterals;

namespace {

std::string Utf8(const QString &text) { return text.toStdString(); }

// Paragraph texts joined by "|", as UTF-8.
std::string Texts(const QTextDocument &document) {
  std::string out;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block != document.begin()) out += "|";
    out += Utf8(block.text());
  }
  return out;
}

std::string Alignment(Qt::Alignment alignment) {
  if (alignment & Qt::AlignHCenter) return "C";
  if (alignment & Qt::AlignJustify) return "J";
  if (alignment & Qt::AlignRight) return "R";
  return "L";
}

std::string Describe(const QTextCharFormat &format) {
  std::string out;
  const QStringList families = format.fontFamilies().toStringList();
  out += families.isEmpty() ? "?" : Utf8(families.first());
  out += " " + std::to_string(qRound(format.fontPointSize() * 2));
  if (format.fontWeight() >= QFont::DemiBold) out += " b";
  if (format.fontItalic()) out += " i";
  if (format.fontUnderline()) out += " u";
  if (format.hasProperty(QTextFormat::ForegroundBrush)) out += " " + Utf8(format.foreground().color().name());
  return out;
}

// One line per paragraph: its alignment, then each run as {text|format}.
std::string Describe(const QTextDocument &document) {
  std::string out;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    out += "[" + Alignment(block.blockFormat().alignment()) + "]";
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      out += "{" + Utf8(it.fragment().text()) + "|" + Describe(it.fragment().charFormat()) + "}";
    }
    out += "\n";
  }
  return out;
}

QTextCharFormat Chars(const QString &family, double points, bool bold = false, bool italic = false,
                      bool underline = false, QColor colour = {}) {
  QTextCharFormat format;
  format.setFontFamilies(QStringList{family});
  format.setFontPointSize(points);
  format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(italic);
  format.setFontUnderline(underline);
  if (colour.isValid()) format.setForeground(colour);
  return format;
}

std::string ReadFile(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(RtfTest, TextAndFormattingSurviveAWriteAndARead) {
  QTextDocument original;
  QTextCursor cursor(&original);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  cursor.setBlockFormat(centred);
  cursor.insertText(u"Atenção"_s, Chars("Verdana", 14.5, true));
  cursor.insertText(u" ao valor"_s, Chars("Verdana", 10, false, true, false, QColor(255, 0, 0)));
  QTextBlockFormat right;
  right.setAlignment(Qt::AlignRight);
  cursor.insertBlock(right, Chars("Arial", 20));  // an empty line keeps its size
  QTextBlockFormat justified;
  justified.setAlignment(Qt::AlignJustify);
  cursor.insertBlock(justified);
  cursor.insertText(u"a\tb"_s + QChar(QChar::LineSeparator) + u"{x} \\ y"_s,
                    Chars("Courier New", 9, false, false, true, QColor(0, 0, 255)));
  cursor.insertText(u" € é ł Ω 😀 ñ"_s, Chars("Courier New", 9, true, true, true, QColor(0, 0, 255)));
  QTextBlockFormat left;
  left.setAlignment(Qt::AlignLeft);
  cursor.insertBlock(left, Chars("Arial", 12));
  cursor.insertText(u"  blanks at both ends  "_s, Chars("Arial", 12));

  const std::string rtf = WriteRtf(original);
  for (char c : rtf) ASSERT_LT(static_cast<unsigned char>(c), 0x80) << "the file is 7-bit";
  EXPECT_NE(rtf.find("Aten\\'e7\\'e3o"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("\\'80 \\'e9 \\u322? \\u937? \\u-10179?\\u-8704? \\'f1"), std::string::npos) << rtf;

  QTextDocument copy;
  ReadRtf(rtf, copy);
  EXPECT_EQ(Describe(copy), Describe(original));
  EXPECT_EQ(Texts(copy), Texts(original));
  // What was read writes the same file again.
  EXPECT_EQ(WriteRtf(copy), rtf);
}

TEST(RtfTest, FontNamesAreWrittenAsTheTableReadsThem) {
  QTextDocument original;
  original.setDefaultFont(QFont(u"Tahoma"_s, 10));
  QTextCursor cursor(&original);
  cursor.insertText(u"a"_s, Chars(u"Arial "_s, 10));
  cursor.insertText(u"b"_s, Chars(u" Arial"_s, 10));  // writes as the run before it
  cursor.insertText(u"c"_s, Chars(u"Odd;Name\t"_s, 12));
  cursor.insertText(u"d"_s, Chars(u" "_s, 13));

  const std::string rtf = WriteRtf(original);
  EXPECT_NE(rtf.find("\\plain\\f1\\fs20 ab\\plain"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fnil\\fcharset0 Tahoma;}{\\f1\\fnil\\fcharset0 Arial;}{\\f2\\fnil\\fcharset0 OddName;}}"),
            std::string::npos)
      << rtf;
  QTextDocument copy;
  copy.setDefaultFont(original.defaultFont());
  ReadRtf(rtf, copy);
  EXPECT_EQ(Describe(copy), "[L]{ab|Arial 20}{c|OddName 24}{d|Tahoma 26}\n");
  EXPECT_EQ(WriteRtf(copy), rtf);
}

TEST(RtfTest, WhatWasReadWritesAFileThatReadsBackToItself) {
  const char *cases[] = {
      R"({\rtf?\plain\f0\fs1\b\u-4\}\?\u-4})",
      "{\\rtf1{\\fonttbl{\\f0 \x01;}{\\f1 ;}{\\f2  Arial ;}}\\f0 a\\f1 b\\f2 c\\f3 d}",
      R"({\rtf1{\colortbl;;\red0\green0\blue0;}\cf1 a\cf0 b\cf2 c\cf3 d})",
      R"({\rtf1 \b\par\b0\par\fs8\par})",
  };
  for (const char *rtf : cases) {
    QTextDocument first;
    ReadRtf(rtf, first);
    const std::string written = WriteRtf(first);
    QTextDocument second;
    ReadRtf(written, second);
    EXPECT_EQ(WriteRtf(second), written) << rtf;
  }
}

TEST(RtfTest, EmptyDocumentsAndEmptyLastParagraphsRoundTrip) {
  for (const QString &text : {u""_s, u"\n"_s, u"a\n"_s, u"a\n\n"_s, u"\na"_s}) {
    QTextDocument original;
    original.setPlainText(text);
    QTextDocument copy;
    ReadRtf(WriteRtf(original), copy);
    EXPECT_EQ(copy.blockCount(), original.blockCount()) << Utf8(text);
    EXPECT_EQ(copy.toPlainText(), original.toPlainText()) << Utf8(text);
  }
}

struct TextCase {
  const char *name;
  std::string rtf;
  std::string text;  // paragraphs joined by "|"
};

TEST(RtfTest, ReadsTheTextWordProcessorsWrite) {
  const TextCase cases[] = {
      {"cp1252 escapes", R"({\rtf1\ansi Cr\'e9dito \'80\'93x\'94\'A0.})", "Crédito €“x”\u00a0."},
      {"raw cp1252 bytes", "{\\rtf1 Cr\xe9" "dito}", "Crédito"},
      {"unicode with one fallback", R"({\rtf1\uc1 a\u322?b\u8364\'80c})", "ałb€c"},
      {"unicode without fallback", R"({\rtf1\uc0 a\u322 b})", "ałb"},
      {"two fallback characters", R"({\rtf1\uc2 a\u937\'4f\'6dz})", "aΩz"},
      {"fallback ends with the group", R"({\rtf1\uc3 {a\u937 x}yz})", "aΩyz"},
      {"uc is kept per group", R"({\rtf1 {\uc2 \u937 ab}\u937 cd})", "ΩΩd"},
      {"negative unicode", R"({\rtf1 \u-10179?\u-8704?\u-3913?})", "😀\uf0b7"},
      {"escaped symbols", R"({\rtf1 \{a\}\\b\~c\_d\-e})", "{a}\\b\u00a0c\u2011de"},
      {"special characters", R"({\rtf1 \lquote a\rquote \ldblquote b\rdblquote \emdash\endash\bullet})",
       "‘a’“b”—–•"},
      {"tab and line", R"({\rtf1 a\tab b\line c})", "a\tb\u2028c"},
      {"paragraphs, the last \\par closes the last one", R"({\rtf1 a\par b\par})", "a|b"},
      {"empty paragraphs", R"({\rtf1 \par a\par\par b\par\par})", "|a||b|"},
      {"backslash and line end is a paragraph", "{\\rtf1 a\\\r\nb}", "a|b"},
      {"line ends are not text", "{\\rtf1 a\r\nb\n\rc}", "abc"},
      {"delimiting blank", R"({\rtf1 \b a\b0  b})", "a b"},
      {"skipped destinations",
       R"({\rtf1{\stylesheet{\s1 heading;}}{\info{\title T}{\author A}}{\*\generator G;}{\*\unknown {x}y}{\header h}a{\pict 01ab}{\*\shppict{\pict ff}}{\nonshppict{\pict ff}}b})",
       "ab"},
      {"field result is shown, its instruction is not",
       R"({\rtf1 {\field{\*\fldinst HYPERLINK "x"}{\fldrslt liga\'e7\'e3o}}})", "ligação"},
      {"binary data may hold braces", "{\\rtf1 a{\\pict\\bin4 }{\\}}b}", "ab"},
      {"what follows the last brace is not read", "{\\rtf1 a}junk{\\", "a"},
      {"leading blanks", "\r\n {\\rtf1 a}", "a"},
      {"out of range unicode is dropped", R"({\rtf1 a\u99999?b})", "ab"},
      {"control characters are dropped", R"({\rtf1 a\u7?b\u0?c\u8233?d})", "abc|d"},
      {"object places without objects are dropped", R"({\rtf1 a\u-4?b})", "ab"},
  };
  for (const TextCase &c : cases) {
    QTextDocument document;
    ReadRtf(c.rtf, document);
    EXPECT_EQ(Texts(document), c.text) << c.name;
  }
}

struct FormatCase {
  const char *name;
  std::string rtf;
  std::string description;
};

TEST(RtfTest, ReadsFormattingWithGroupsPlainAndPard) {
  const std::string header = R"({\rtf1\ansi\deff1{\fonttbl{\f0 Times;}{\f1\fswiss Arial;}{\f2 Courier New;}})"
                             R"({\colortbl ;\red255\green0\blue0;\red0\green0\blue255;})";
  const FormatCase cases[] = {
      {"defaults: the default font at 12 points", "a}", "[L]{a|Arial 24}\n"},
      {"bold, italic, underline on and off", R"(\b a\b0\i b\i0\ul c\ulnone d\ul e\ul0 f})",
       "[L]{a|Arial 24 b}{b|Arial 24 i}{c|Arial 24 u}{d|Arial 24}{e|Arial 24 u}{f|Arial 24}\n"},
      {"a group restores the format", R"({\b\fs40\cf1 a}b})", "[L]{a|Arial 40 b #ff0000}{b|Arial 24}\n"},
      {"font and colour tables", R"(\f2\cf2 a\f0\cf0 b})", "[L]{a|Courier New 24 #0000ff}{b|Times 24}\n"},
      {"plain resets the characters", R"(\f0\b\i\ul\cf1\fs10 a\plain b})", "[L]{a|Times 10 b i u #ff0000}{b|Arial 24}\n"},
      {"alignment of each paragraph, pard resets it", R"(\qc a\par b\par\pard c\par\qr d\par\qj e\par\ql f})",
       "[C]{a|Arial 24}\n[C]{b|Arial 24}\n[L]{c|Arial 24}\n[R]{d|Arial 24}\n[J]{e|Arial 24}\n[L]{f|Arial 24}\n"},
      {"an empty paragraph takes the size of its mark", R"(\fs40\par\fs20 a})", "[L]\n[L]{a|Arial 20}\n"},
      {"unknown colours and fonts", R"(\cf9\f7 a\fs0 b\fs-4 c})", "[L]{abc|Arial 24}\n"},
      {"huge sizes are cut to what word processors offer", R"(\fs2147483647 a})", "[L]{a|Arial 3276}\n"},
  };
  for (const FormatCase &c : cases) {
    QTextDocument document;
    ReadRtf(header + c.rtf, document);
    EXPECT_EQ(Describe(document), c.description) << c.name;
  }
  QTextDocument document;
  ReadRtf(header + R"(\fs40\par\fs20 a})", document);
  EXPECT_EQ(qRound(document.begin().charFormat().fontPointSize()), 20);
}

TEST(RtfTest, ReadsAFileWrittenByAWordProcessor) {
  const auto path = std::filesystem::path(__FILE__).parent_path() / "data" / "wordprocessor.rtf";
  QTextDocument document;
  ReadRtf(ReadFile(path), document);
  EXPECT_EQ(Describe(document),
            "[C]{Relatório de Crédito|Arial 32 b}\n"
            "[L]{Cliente:\t|Calibri 22}{João da Silva|Calibri 22 #ff0000}{\u2028Rua das Acácias, 15|Calibri 22}\n"
            "[L]{·\t|Symbol 22}{Item com marcador|Calibri 22}\n"
            "[R]{Valor: € 1.234,50 — ł\uf0b7|Calibri 22 i}\n"
            "[J]{sublinhado|Calibri 22 u}{ normal fim|Calibri 22}\n"
            "[L]{Fonte fixa {chaves} e \\barra|Courier New 20}\n");
}

TEST(RtfTest, MalformedFilesRaiseAReadErrorAndLeaveTheDocumentAlone) {
  const std::pair<const char *, std::string> cases[] = {
      {"empty file", ""},
      {"plain text", "Relatório"},
      {"no rtf word", "{\\b a}"},
      {"group never closed", "{\\rtf1 a"},
      {"inner group never closed", "{\\rtf1 {\\b a}{\\i b}{c}"},
      {"truncated hex escape", "{\\rtf1 a\\'4"},
      {"hex escape at the end", "{\\rtf1 a\\'"},
      {"bad hex escape", "{\\rtf1 a\\'zz}"},
      {"backslash at the end", "{\\rtf1 a\\"},
      {"control word at the end", "{\\rtf1 a\\par"},
      {"control word too long", "{\\rtf1 \\" + std::string(40, 'x') + " a}"},
      {"number too long", "{\\rtf1 \\fs123456789012 a}"},
      {"minus without number", "{\\rtf1 \\u- a}"},
      {"binary data past the end", "{\\rtf1 \\bin99999 ab}"},
      {"negative binary length", "{\\rtf1 \\bin-5 ab}"},
      {"nesting too deep", "{\\rtf1 " + std::string(100000, '{') + std::string(100000, '}') + "}"},
  };
  for (const auto &[name, rtf] : cases) {
    QTextDocument document;
    document.setPlainText(u"kept"_s);
    EXPECT_THROW(ReadRtf(rtf, document), EReadError) << name;
    EXPECT_EQ(document.toPlainText(), u"kept"_s) << name;
  }
}

TEST(RtfTest, DeepButBoundedNestingIsRead) {
  QTextDocument document;
  ReadRtf("{\\rtf1 " + std::string(500, '{') + "a" + std::string(500, '}') + "}", document);
  EXPECT_EQ(Texts(document), "a");
}

}  // namespace
