#include "platform/vcl/RichEdit.h"

#include "platform/files/Drive.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"
#include "platform/sys/Exceptions.h"

#include <QTextBlock>
#include <QTextCursor>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

AnsiString SystemReason(int error) { return FromUtf8(std::strerror(error)); }

}  // namespace

TRichEdit::TRichEdit(QWidget *parent)
    : QTextEdit(parent), lines_(std::make_unique<TRichEditStrings>(*this)), Lines(lines_.get()) {}

TRichEdit::~TRichEdit() = default;

int TRichEditStrings::Count() const {
  const QTextDocument *document = edit_.document();
  int count = document->blockCount();
  if (document->lastBlock().length() <= 1) --count;  // length counts the paragraph mark
  return count;
}

void TRichEditStrings::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
}

AnsiString TRichEditStrings::Strings(int index) const {
  CheckIndex(index);
  QString text = edit_.document()->findBlockByNumber(index).text();
  text.replace(QChar(QChar::LineSeparator), QChar(u'\v'));
  return FromQString(text);
}

void TRichEditStrings::SetStrings(int index, const AnsiString &text) {
  CheckIndex(index);
  const QTextBlock block = edit_.document()->findBlockByNumber(index);
  QTextCursor cursor(block);
  QTextCharFormat format = block.charFormat();
  if (block.length() > 1) {
    cursor.movePosition(QTextCursor::NextCharacter);
    format = cursor.charFormat();  // the format of the character before the cursor: the first one
  }
  QString replacement = ToQString(text);
  replacement.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  replacement.replace(QChar(u'\r'), QChar(u'\n'));
  replacement.replace(QChar(u'\v'), QChar(QChar::LineSeparator));
  cursor.setPosition(block.position());
  cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
  cursor.insertText(replacement, format);  // each \n becomes a paragraph of the block's format
}

void TRichEditStrings::LoadFromFile(const AnsiString &fileName) {
  const fs::path host = HostPath(fileName);
  std::error_code error;
  if (!fs::is_regular_file(host, error)) {
    const AnsiString reason = fs::exists(host, error) ? SystemReason(EISDIR) : SystemReason(ENOENT);
    throw EFOpenError("Cannot open file \"" + fileName + "\". " + reason);
  }
  std::ifstream in(host, std::ios::binary);
  if (!in) throw EFOpenError("Cannot open file \"" + fileName + "\". " + SystemReason(errno));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw EReadError("Stream read error");
  ReadRtf(bytes.str(), *edit_.document());
  edit_.moveCursor(QTextCursor::Start);  // as after a load into the control: the caret at the start
}

void TRichEditStrings::SaveToFile(const AnsiString &fileName) const {
  const std::string rtf = WriteRtf(*edit_.document());
  std::ofstream out(HostPath(fileName), std::ios::binary | std::ios::trunc);
  if (out) out.write(rtf.data(), static_cast<std::streamsize>(rtf.size()));
  if (out) out.close();
  if (!out) throw EFCreateError("Cannot create file \"" + fileName + "\". " + SystemReason(errno));
}
