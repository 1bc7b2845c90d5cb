#include "platform/ui/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>

namespace dravik {

std::string TClipboard::AsText() const {
  return QGuiApplication::clipboard()->text().toStdString();
}

void TClipboard::SetAsText(const std::string& value) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(value));
}

bool TClipboard::HasText() const {
  return !QGuiApplication::clipboard()->text().isEmpty();
}

void TClipboard::Clear() {
  QGuiApplication::clipboard()->clear();
}

TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}

}  // namespace dravik
