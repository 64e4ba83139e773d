#pragma once
// The class library's rich edit on a QTextEdit. Its lines are the document's paragraphs; a last
// paragraph without text is not a line, so an empty box has none and "a" CR LF "b" CR LF has two.
// Files are rich text (platform/rtf), named by Windows paths of drive C: (platform/files).

#include "platform/ansi/AnsiString.h"

#include <QTextEdit>
#include <memory>

class TRichEdit;

class TRichEditStrings {
 public:
  explicit TRichEditStrings(TRichEdit &edit) : edit_(edit) {}

  int Count() const;
  // Line access raises EStringListError for an index outside 0..Count-1. A line break inside a
  // paragraph (\line) reads as a vertical tab (#11), and is written back from one.
  AnsiString Strings(int index) const;
  // Replaces the text of a line, in the character format of its first character; the other lines
  // keep theirs. CR LF, CR or LF in the text start new lines in the line's paragraph format.
  void SetStrings(int index, const AnsiString &text);

  // A missing or unopenable file raises EFOpenError, a malformed one EReadError; the box is then
  // left as it was. After a load the caret is at the start.
  void LoadFromFile(const AnsiString &fileName);
  // Raises EFCreateError when the file cannot be written.
  void SaveToFile(const AnsiString &fileName) const;

 private:
  void CheckIndex(int index) const;
  TRichEdit &edit_;
};

class TRichEdit : public QTextEdit {
 public:
  explicit TRichEdit(QWidget *parent = nullptr);
  ~TRichEdit() override;

 private:
  std::unique_ptr<TRichEditStrings> lines_;

 public:
  TRichEditStrings *const Lines;
};
