#include "platform/rtf/RtfReader.h"

#include "platform/ansi/AnsiString.h"
#include "platform/sys/Exceptions.h"

#include <QColor>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <array>
#include <map>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::size_t kMaxDepth = 1000;       // groups open at once
constexpr std::size_t kMaxWordLength = 32;    // letters of a control word
constexpr std::size_t kMaxParamDigits = 10;   // digits of its parameter
constexpr long long kMaxHalfPoints = 3276;    // 1638 pt, the largest size word processors offer

struct CharState {
  int font = -1;  // -1: the default font (\deff)
  int halfPoints = 24;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int colour = 0;  // 0: automatic
  bool operator==(const CharState &) const = default;
};

enum class Destination { Text, FontTable, ColourTable, Skip };

struct GroupState {
  CharState chars;
  Qt::Alignment alignment = Qt::AlignLeft;
  Destination destination = Destination::Text;
  int unicodeSkip = 1;  // \ucN
};

struct Run {
  QString text;
  CharState chars;
};

struct Paragraph {
  std::vector<Run> runs;
  CharState mark;  // the format of the paragraph mark: what an empty paragraph shows
  Qt::Alignment alignment = Qt::AlignLeft;
};

enum class Word {
  Ignored, Rtf, DefaultFont, FontTable, ColourTable, SkippedDestination, Par, Line, Tab, Pard, Plain,
  Bold, Italic, Underline, UnderlineNone, FontSize, Colour, Font, Left, Centre, Right, Justify,
  Unicode, UnicodeSkip, Binary, Red, Green, Blue, Special,
};

struct WordInfo {
  Word word;
  char16_t character = 0;  // for Special
};

const std::unordered_map<std::string_view, WordInfo> &Words() {
  static const std::unordered_map<std::string_view, WordInfo> words = [] {
    std::unordered_map<std::string_view, WordInfo> w = {
        {"rtf", {Word::Rtf}},           {"deff", {Word::DefaultFont}},   {"fonttbl", {Word::FontTable}},
        {"colortbl", {Word::ColourTable}}, {"par", {Word::Par}},         {"sect", {Word::Par}},
        {"row", {Word::Par}},           {"line", {Word::Line}},          {"tab", {Word::Tab}},
        {"cell", {Word::Tab}},          {"pard", {Word::Pard}},          {"plain", {Word::Plain}},
        {"b", {Word::Bold}},            {"i", {Word::Italic}},           {"ul", {Word::Underline}},
        {"ulnone", {Word::UnderlineNone}}, {"fs", {Word::FontSize}},    {"cf", {Word::Colour}},
        {"f", {Word::Font}},            {"ql", {Word::Left}},            {"qc", {Word::Centre}},
        {"qr", {Word::Right}},          {"qj", {Word::Justify}},         {"u", {Word::Unicode}},
        {"uc", {Word::UnicodeSkip}},    {"bin", {Word::Binary}},         {"red", {Word::Red}},
        {"green", {Word::Green}},       {"blue", {Word::Blue}},
        {"emdash", {Word::Special, 0x2014}},  {"endash", {Word::Special, 0x2013}},
        {"bullet", {Word::Special, 0x2022}},  {"lquote", {Word::Special, 0x2018}},
        {"rquote", {Word::Special, 0x2019}},  {"ldblquote", {Word::Special, 0x201C}},
        {"rdblquote", {Word::Special, 0x201D}}, {"emspace", {Word::Special, 0x2003}},
        {"enspace", {Word::Special, 0x2002}}, {"qmspace", {Word::Special, 0x2005}},
    };
    // Destinations whose text is not part of the document.
    for (std::string_view name :
         {"stylesheet", "info", "pict", "nonshppict", "header", "headerl", "headerr", "headerf", "footer",
          "footerl", "footerr", "footerf", "footnote", "fldinst", "object", "objdata", "xe", "tc", "txe",
          "rxe", "listtable", "listoverridetable", "revtbl", "rsidtbl", "filetbl", "themedata",
          "colorschememapping", "latentstyles", "datastore", "xmlnstbl", "author", "operator", "title",
          "subject", "comment", "keywords", "doccomm", "creatim", "revtim", "printim", "buptim",
          "template", "private", "pn", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn",
          "annotation", "atnid", "atnauthor", "bkmkstart", "bkmkend", "generator", "company",
          "manager", "category", "hlinkbase", "docvar", "userprops", "pgdsctbl", "shpinst"}) {
      w.emplace(name, WordInfo{Word::SkippedDestination});
    }
    return w;
  }();
  return words;
}

const std::array<QChar, 256> &Cp1252() {
  static const std::array<QChar, 256> table = [] {
    std::array<QChar, 256> t;
    for (int b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      t[static_cast<std::size_t>(b)] = ToQString(std::string_view(&byte, 1)).at(0);
    }
    return t;
  }();
  return table;
}

[[noreturn]] void Fail(const char *reason) {
  throw EReadError(AnsiString("Invalid rich text: ") + reason);
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int Clamp(long long value, long long low, long long high) {
  return static_cast<int>(value < low ? low : value > high ? high : value);
}

class Parser {
 public:
  explicit Parser(std::string_view input) : in_(input) {}

  void Parse() {
    std::size_t start = 0;
    while (start < in_.size() && static_cast<unsigned char>(in_[start]) <= ' ') ++start;
    if (in_.substr(start, 5) != "{\\rtf") Fail("the file does not begin with {\\rtf");
    pos_ = start;
    paragraphs_.emplace_back();
    while (pos_ < in_.size()) {
      const char c = in_[pos_++];
      switch (c) {
        case '{':
          OpenGroup();
          break;
        case '}':
          CloseGroup();
          if (stack_.empty()) return;  // what follows the document's last brace is not read
          break;
        case '\\':
          ControlSequence();
          break;
        case '\r':
        case '\n':
          break;
        case '\t':
          Character(u'\t');
          break;
        default:
          Byte(static_cast<unsigned char>(c));
      }
    }
    Fail("the file ends inside a group");
  }

  void Build(QTextDocument &document) const {
    document.clear();
    QTextCursor cursor(&document);
    bool first = true;
    for (const Paragraph &paragraph : paragraphs_) {
      QTextBlockFormat block;
      block.setAlignment(paragraph.alignment);
      if (first) {
        cursor.setBlockFormat(block);
        cursor.setBlockCharFormat(Format(paragraph.mark));
        first = false;
      } else {
        cursor.insertBlock(block, Format(paragraph.mark));
      }
      for (const Run &run : paragraph.runs) cursor.insertText(run.text, Format(run.chars));
    }
  }

 private:
  GroupState &State() { return stack_.back(); }

  void OpenGroup() {
    if (stack_.size() >= kMaxDepth) Fail("groups nested too deeply");
    fallback_ = 0;
    stack_.push_back(stack_.empty() ? GroupState{} : stack_.back());
  }

  void CloseGroup() {
    if (stack_.empty()) Fail("a group is closed that was not opened");
    if (State().destination == Destination::FontTable) CommitFont();
    fallback_ = 0;
    stack_.pop_back();
  }

  // Characters of a \uN fallback are dropped: each text byte, \'hh or control word counts one.
  bool SkipFallback() {
    if (fallback_ == 0) return false;
    --fallback_;
    return true;
  }

  void ControlSequence() {
    if (pos_ >= in_.size()) Fail("the file ends after a backslash");
    const char c = in_[pos_];
    if (!IsLetter(c)) {
      ++pos_;
      Symbol(c);
      return;
    }
    const std::size_t nameStart = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_])) {
      if (pos_ - nameStart >= kMaxWordLength) Fail("control word too long");
      ++pos_;
    }
    const std::string_view name = in_.substr(nameStart, pos_ - nameStart);
    bool negative = false;
    bool hasParam = false;
    long long param = 0;
    if (pos_ < in_.size() && in_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    const std::size_t digitsStart = pos_;
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
      if (pos_ - digitsStart >= kMaxParamDigits) Fail("number too long");
      param = param * 10 + (in_[pos_] - '0');
      ++pos_;
    }
    hasParam = pos_ > digitsStart;
    if (negative && !hasParam) Fail("a minus sign without a number");
    if (negative) param = -param;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
    ControlWord(name, hasParam, param);
  }

  void Symbol(char c) {
    if (c == '*') {
      State().destination = Destination::Skip;  // an optional destination: none is read
      return;
    }
    if (c == '\'') {
      if (pos_ + 2 > in_.size()) Fail("the file ends inside a \\'hh escape");
      const int high = HexValue(in_[pos_]);
      const int low = HexValue(in_[pos_ + 1]);
      if (high < 0 || low < 0) Fail("a \\'hh escape without two hexadecimal digits");
      pos_ += 2;
      Byte(static_cast<unsigned char>(high * 16 + low));
      return;
    }
    if (SkipFallback()) return;
    switch (c) {
      case '\\':
      case '{':
      case '}':
        Text(QChar(static_cast<char16_t>(c)));
        break;
      case '~':
        Text(QChar(0x00A0));
        break;
      case '_':
        Text(QChar(0x2011));
        break;
      case '\r':
      case '\n':
        EndParagraph();
        break;
      default:  // \- optional hyphen, \: index entry, \| formula: nothing to show
        break;
    }
  }

  void ControlWord(std::string_view name, bool hasParam, long long param) {
    const auto found = Words().find(name);
    const WordInfo info = found == Words().end() ? WordInfo{Word::Ignored} : found->second;
    if (info.word == Word::Binary) {
      // Raw bytes follow; they may hold anything, braces included.
      if (param < 0) Fail("a negative \\bin length");
      if (static_cast<unsigned long long>(param) > in_.size() - pos_) Fail("the file ends inside \\bin data");
      pos_ += static_cast<std::size_t>(param);
      SkipFallback();
      return;
    }
    if (SkipFallback()) return;
    GroupState &state = State();
    if (state.destination == Destination::Skip) return;
    switch (info.word) {
      case Word::FontTable:
        state.destination = Destination::FontTable;
        return;
      case Word::ColourTable:
        state.destination = Destination::ColourTable;
        colours_.clear();
        return;
      case Word::SkippedDestination:
        state.destination = Destination::Skip;
        return;
      case Word::UnicodeSkip:
        state.unicodeSkip = hasParam ? Clamp(param, 0, 1000) : 1;
        return;
      default:
        break;
    }
    if (state.destination == Destination::FontTable) {
      if (info.word == Word::Font && hasParam) {
        CommitFont();
        fontNumber_ = Clamp(param, -1, 1 << 30);
      } else if (info.word == Word::Unicode) {
        Unicode(param);
      }
      return;
    }
    if (state.destination == Destination::ColourTable) {
      int *component = info.word == Word::Red     ? &red_
                       : info.word == Word::Green ? &green_
                       : info.word == Word::Blue  ? &blue_
                                                  : nullptr;
      if (component) {
        *component = Clamp(param, 0, 255);
        colourSet_ = true;
      }
      return;
    }
    const bool on = !hasParam || param != 0;
    CharState &chars = state.chars;
    switch (info.word) {
      case Word::DefaultFont:
        if (hasParam) defaultFont_ = Clamp(param, 0, 1 << 30);
        break;
      case Word::Par:
        EndParagraph();
        break;
      case Word::Line:
        Text(QChar(QChar::LineSeparator));
        break;
      case Word::Tab:
        Text(QChar(u'\t'));
        break;
      case Word::Special:
        Text(QChar(info.character));
        break;
      case Word::Pard:
        state.alignment = Qt::AlignLeft;
        break;
      case Word::Plain:
        chars = CharState{};
        break;
      case Word::Bold:
        chars.bold = on;
        break;
      case Word::Italic:
        chars.italic = on;
        break;
      case Word::Underline:
        chars.underline = on;
        break;
      case Word::UnderlineNone:
        chars.underline = false;
        break;
      case Word::FontSize:
        if (hasParam && param > 0) chars.halfPoints = Clamp(param, 1, kMaxHalfPoints);
        break;
      case Word::Colour:
        chars.colour = hasParam ? Clamp(param, 0, 1 << 30) : 0;
        break;
      case Word::Font:
        if (hasParam && param >= 0) chars.font = Clamp(param, 0, 1 << 30);
        break;
      case Word::Left:
        state.alignment = Qt::AlignLeft;
        break;
      case Word::Centre:
        state.alignment = Qt::AlignHCenter;
        break;
      case Word::Right:
        state.alignment = Qt::AlignRight;
        break;
      case Word::Justify:
        state.alignment = Qt::AlignJustify;
        break;
      case Word::Unicode:
        Unicode(param);
        break;
      default:
        break;
    }
  }

  // \uN: a signed 16-bit code unit, then the fallback characters to drop.
  void Unicode(long long value) {
    if (value < 0) value += 65536;
    if (value > 0 && value <= 0xFFFF) Text(QChar(static_cast<char16_t>(value)));
    fallback_ = State().unicodeSkip;
  }

  void Byte(unsigned char byte) {
    if (SkipFallback()) return;
    Text(Cp1252()[byte]);
  }

  void Character(char16_t c) {
    if (SkipFallback()) return;
    Text(QChar(c));
  }

  void Text(QChar c) {
    GroupState &state = State();
    switch (state.destination) {
      case Destination::Skip:
        return;
      case Destination::FontTable:
        if (c == u';') {
          CommitFont();
        } else if (fontName_.size() < 256 && c.unicode() >= 0x20) {
          fontName_.append(c);
        }
        return;
      case Destination::ColourTable:
        if (c == u';') CommitColour();
        return;
      case Destination::Text:
        break;
    }
    const char16_t code = c.unicode();
    if (code == QChar::ParagraphSeparator) return EndParagraph();
    // Control characters, the document's own frame markers and object places (no object is read)
    // are no text.
    if ((code < 0x20 && code != u'\t') || code == 0xFDD0 || code == 0xFDD1 || code == QChar::ObjectReplacementCharacter)
      return;
    Paragraph &paragraph = OpenParagraph();
    paragraph.alignment = state.alignment;
    paragraph.mark = state.chars;
    if (paragraph.runs.empty() || !(paragraph.runs.back().chars == state.chars)) {
      paragraph.runs.push_back({QString(), state.chars});
    }
    paragraph.runs.back().text.append(c);
  }

  // The last \par of a document closes its last paragraph and opens none.
  Paragraph &OpenParagraph() {
    if (paragraphEnded_) {
      paragraphs_.emplace_back();
      paragraphEnded_ = false;
    }
    return paragraphs_.back();
  }

  void EndParagraph() {
    if (State().destination != Destination::Text) return;
    Paragraph &paragraph = OpenParagraph();
    paragraph.alignment = State().alignment;
    paragraph.mark = State().chars;
    paragraphEnded_ = true;
  }

  void CommitFont() {
    if (fontNumber_ >= 0) {
      const QString name = fontName_.trimmed();
      if (!name.isEmpty()) fonts_[fontNumber_] = name;
    }
    fontNumber_ = -1;
    fontName_.clear();
  }

  void CommitColour() {
    colours_.push_back(colourSet_ ? std::optional<QColor>(QColor(red_, green_, blue_)) : std::nullopt);
    red_ = green_ = blue_ = 0;
    colourSet_ = false;
  }

  QTextCharFormat Format(const CharState &chars) const {
    QTextCharFormat format;
    auto font = fonts_.find(chars.font < 0 ? defaultFont_ : chars.font);
    if (font == fonts_.end()) font = fonts_.find(defaultFont_);  // an unknown font: the default one
    if (font != fonts_.end()) format.setFontFamilies(QStringList{font->second});
    format.setFontPointSize(chars.halfPoints / 2.0);
    format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chars.italic);
    format.setFontUnderline(chars.underline);
    const auto colour = static_cast<std::size_t>(chars.colour);
    if (colour > 0 && colour < colours_.size() && colours_[colour]) format.setForeground(*colours_[colour]);
    return format;
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  std::vector<GroupState> stack_;
  int fallback_ = 0;

  std::vector<Paragraph> paragraphs_;
  bool paragraphEnded_ = false;

  int defaultFont_ = 0;
  std::map<int, QString> fonts_;
  int fontNumber_ = -1;
  QString fontName_;

  std::vector<std::optional<QColor>> colours_;
  int red_ = 0, green_ = 0, blue_ = 0;
  bool colourSet_ = false;
};

}  // namespace

void ReadRtf(std::string_view rtf, QTextDocument &document) {
  Parser parser(rtf);
  parser.Parse();
  parser.Build(document);
}
