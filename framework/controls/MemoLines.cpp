#include "framework/controls/MemoLines.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "framework/core/Exception.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/QtConvert.h"

// The document holds one block per line. A line break at the very end
// leaves an empty last block behind it, which is no line of its own.

int TMemoLines::Count() const {
  const QTextDocument* document = edit_->document();
  const int blocks = document->blockCount();
  return document->lastBlock().length() <= 1 ? blocks - 1 : blocks;
}

std::string TMemoLines::Strings(int index) const {
  CheckIndex(index, Count() - 1);
  return TextFromQt(edit_->document()->findBlockByNumber(index).text());
}

void TMemoLines::Insert(int index, const std::string& text) {
  const int count = Count();
  CheckIndex(index, count);
  QTextDocument* document = edit_->document();
  QTextCursor cursor(document);
  if (index < count || count == document->blockCount() - 1) {
    // Before an existing line, or into the empty block after the last break.
    cursor.setPosition(document->findBlockByNumber(index).position());
    cursor.insertText(QtText(text) + QLatin1Char('\n'));
  } else {
    // The last line has no break of its own yet.
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QLatin1Char('\n') + QtText(text) + QLatin1Char('\n'));
  }
}

int TMemoLines::Add(const std::string& text) {
  const int index = Count();
  Insert(index, text);
  return index;
}

void TMemoLines::Delete(int index) {
  CheckIndex(index, Count() - 1);
  QTextDocument* document = edit_->document();
  const QTextBlock block = document->findBlockByNumber(index);
  QTextCursor cursor(document);
  if (block.next().isValid()) {
    cursor.setPosition(block.position());
    cursor.setPosition(block.next().position(), QTextCursor::KeepAnchor);
  } else {
    // The last line without a break: its break is the one before it.
    cursor.setPosition(index > 0 ? block.position() - 1 : 0);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  }
  cursor.removeSelectedText();
}

void TMemoLines::Clear() { edit_->clear(); }

std::string TMemoLines::Text() const {
  std::string text;
  const int count = Count();
  for (int i = 0; i < count; ++i) text += Strings(i) + "\r\n";
  return text;
}

void TMemoLines::CheckIndex(int index, int limit) const {
  if (index < 0 || index > limit) throw EStringListError(Format("List index out of bounds (%d)", index));
}
