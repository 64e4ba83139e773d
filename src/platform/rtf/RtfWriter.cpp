#include "platform/rtf/RtfWriter.h"

#include "platform/ansi/AnsiString.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCharFormat>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

class Writer {
 public:
  explicit Writer(const QTextDocument &document)
      : document_(document), defaultFont_(document.defaultFont()) {
    FontIndex(defaultFont_.family());  // \f0 is the document's own font
  }

  std::string Write() {
    std::string body;
    for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
      body += "\\pard";
      body += AlignmentWord(block.blockFormat().alignment());
      std::string previous;  // runs that write alike go as one
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const std::string text = fragment.isValid() ? Escape(fragment.text()) : std::string();
        if (text.empty()) continue;
        const std::string words = CharWords(fragment.charFormat());
        if (words != previous) body += words + ' ';
        body += text;
        previous = words;
      }
      if (previous.empty()) body += CharWords(block.charFormat());  // the size of an empty line
      body += "\\par\r\n";
    }

    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
      out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset0 " + Escape(fonts_[i]) + ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (QRgb colour : colours_) {
      out += "\\red" + std::to_string(qRed(colour)) + "\\green" + std::to_string(qGreen(colour)) + "\\blue" +
             std::to_string(qBlue(colour)) + ";";
    }
    out += "}\r\n";
    out += body;
    out += "}\r\n";
    return out;
  }

 private:
  static const char *AlignmentWord(Qt::Alignment alignment) {
    if (alignment & Qt::AlignHCenter) return "\\qc";
    if (alignment & Qt::AlignJustify) return "\\qj";
    if (alignment & Qt::AlignRight) return "\\qr";
    return "\\ql";
  }

  // The name as the table holds it: no ";" (the entry's end), no control characters, no blanks at
  // either end (readers trim them).
  static QString FontName(const QString &family) {
    QString name;
    for (QChar c : family)
      if (c != u';' && c.unicode() >= 0x20) name.append(c);
    return name.trimmed();
  }

  std::size_t FontIndex(const QString &requested) {
    QString family = FontName(requested);
    if (family.isEmpty()) family = FontName(defaultFont_.family());
    const auto found = std::find(fonts_.begin(), fonts_.end(), family);
    if (found != fonts_.end()) return static_cast<std::size_t>(found - fonts_.begin());
    fonts_.push_back(family);
    return fonts_.size() - 1;
  }

  // Colours are numbered from 1: entry 0 is the automatic colour.
  std::size_t ColourIndex(QRgb colour) {
    const auto found = std::find(colours_.begin(), colours_.end(), colour);
    if (found != colours_.end()) return static_cast<std::size_t>(found - colours_.begin()) + 1;
    colours_.push_back(colour);
    return colours_.size();
  }

  std::string CharWords(const QTextCharFormat &format) {
    QString family = defaultFont_.family();
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty()) family = families.first();
    double points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                    : defaultFont_.pointSizeF();
    if (points <= 0) points = 12;
    const long halfPoints = std::clamp(std::lround(points * 2), 1L, 3276L);

    std::string words = "\\plain\\f" + std::to_string(FontIndex(family)) + "\\fs" + std::to_string(halfPoints);
    if (format.fontWeight() >= QFont::DemiBold) words += "\\b";
    if (format.fontItalic()) words += "\\i";
    if (format.fontUnderline()) words += "\\ul";
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush) {
      words += "\\cf" + std::to_string(ColourIndex(format.foreground().color().rgb()));
    }
    return words;
  }

  static std::string Escape(const QString &text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
      const char16_t code = c.unicode();
      if (code == u'\\' || code == u'{' || code == u'}') {
        out += '\\';
        out += static_cast<char>(code);
      } else if (code == u'\t') {
        out += "\\tab ";
      } else if (code == QChar::LineSeparator) {
        out += "\\line ";
      } else if (code < 0x20 || code == QChar::ObjectReplacementCharacter) {
        continue;
      } else if (code < 0x80) {
        out += static_cast<char>(code);
      } else if (const AnsiString byte = FromQString(QString(c)); byte != "?") {
        static const char hex[] = "0123456789abcdef";
        const auto b = static_cast<unsigned char>(byte[0]);
        out += "\\'";
        out += hex[b >> 4];
        out += hex[b & 15];
      } else {
        out += "\\u" + std::to_string(static_cast<int16_t>(code)) + "?";
      }
    }
    return out;
  }

  const QTextDocument &document_;
  QFont defaultFont_;
  std::vector<QString> fonts_;
  std::vector<QRgb> colours_;
};

}  // namespace

std::string WriteRtf(const QTextDocument &document) { return Writer(document).Write(); }
