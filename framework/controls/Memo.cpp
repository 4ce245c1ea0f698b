#include "framework/controls/Memo.h"

#include <QPlainTextEdit>

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
  auto* edit = new QPlainTextEdit();
  // Lines come and go for as long as the memo lives (a bounded log of
  // replies); an undo record of each change would only grow.
  edit->setUndoRedoEnabled(false);
  SetWidget(edit);
  SetBounds(0, 0, 185, 89);
  lines_ = std::make_unique<TMemoLines>(edit);
}

TMemo::~TMemo() = default;
