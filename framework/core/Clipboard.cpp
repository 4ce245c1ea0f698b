#include "framework/core/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool TClipboard::HasFormat(unsigned format) const {
  if (format != CF_TEXT) return false;
  if (privateStore_) return stored_.has_value();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data != nullptr && data->hasText();
}

std::string TClipboard::AsText() const {
  if (privateStore_) return stored_.value_or(std::string());
  return QGuiApplication::clipboard()->text().toStdString();
}

void TClipboard::SetAsText(const std::string& text) {
  if (privateStore_) {
    stored_ = text;
    return;
  }
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void TClipboard::Clear() {
  if (privateStore_) {
    stored_.reset();
    return;
  }
  QGuiApplication::clipboard()->clear();
}

void TClipboard::SetPrivateStore(bool on) {
  privateStore_ = on;
  stored_.reset();
}

TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}
