#include "tests/byteviewer/ScreenModel.h"

#include <gtest/gtest.h>

void ScreenModel::Clear() {
  for (auto& row : cells_) {
    for (Cell& cell : row) cell = Cell{' ', foreground_, background_};
  }
  column_ = row_ = 1;
}

void ScreenModel::SetColours(int foreground, int background) {
  foreground_ = foreground;
  background_ = background;
}

void ScreenModel::PlaceCursor(int column, int row) {
  if (column < 1 || row < 1 || column > kColumns || row > kRows) return;
  column_ = column;
  row_ = row;
}

void ScreenModel::NextRow() {
  if (row_ < kRows) {
    ++row_;
    return;
  }
  for (int r = 0; r + 1 < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) cells_[r][c] = cells_[r + 1][c];
  }
  for (Cell& cell : cells_[kRows - 1]) cell = Cell{};
}

void ScreenModel::Put(char character, int foreground, int background) {
  cells_[row_ - 1][column_ - 1] = Cell{character, foreground, background};
  if (++column_ > kColumns) {
    column_ = 1;
    NextRow();
  }
}

void ScreenModel::Write(const std::string& text) {
  for (const char c : text) {
    if (c == '\n') {
      NextRow();
    } else if (c == '\r') {
      column_ = 1;
    } else if (c == '\b') {
      if (column_ > 1) --column_;
    } else if (c != '\a') {
      Put(c, foreground_, background_);
    }
  }
}

int ScreenModel::ReadKey() {
  ++keysRead;
  if (keys.empty()) {
    ADD_FAILURE() << "the program waits for a key the test did not give";
    return 27;
  }
  const int key = keys.front();
  keys.pop_front();
  return key;
}

int ScreenModel::ReadKeyWithin(int /*milliseconds*/) {
  if (keys.empty()) return -1;
  return ReadKey();
}

void ScreenModel::DeleteLine() {
  for (int r = row_ - 1; r + 1 < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) cells_[r][c] = cells_[r + 1][c];
  }
  for (Cell& cell : cells_[kRows - 1]) cell = Cell{' ', foreground_, background_};
}

void ScreenModel::StandardOutput(const std::string& bytes) {
  standardOutput += bytes;
  for (const char c : bytes) {
    if (c == '\n') {
      column_ = 1;
      NextRow();
    } else if (c == '\r') {
      column_ = 1;
    } else {
      Put(c, 7, 0);
    }
  }
}

std::string ScreenModel::Row(int row) const {
  std::string text;
  for (const Cell& cell : cells_[row - 1]) text += cell.character;
  return text.substr(0, text.find_last_not_of(' ') + 1);
}
