#include "os/legacy_text.h"

#include <windows.h>

namespace LegacyText {

namespace {
constexpr UINT kCodePage = 932;
}

QString decodeShiftJis(const QByteArray& bytes) {
  if (bytes.isEmpty()) return QString();
  const int size = MultiByteToWideChar(kCodePage, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
  if (size <= 0) return QString::fromLatin1(bytes);
  QString text(size, Qt::Uninitialized);
  MultiByteToWideChar(kCodePage, 0, bytes.constData(), int(bytes.size()), reinterpret_cast<wchar_t*>(text.data()),
                      size);
  return text;
}

std::optional<QByteArray> encodeShiftJis(const QString& text) {
  if (text.isEmpty()) return QByteArray();
  const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
  BOOL lost = FALSE;
  const int size = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, int(text.size()), nullptr, 0, nullptr,
                                       &lost);
  if (size <= 0 || lost) return std::nullopt;
  QByteArray bytes(size, Qt::Uninitialized);
  WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, int(text.size()), bytes.data(), size, nullptr, nullptr);
  // A character that maps to bytes reading back as another one is lost too.
  if (decodeShiftJis(bytes) != text) return std::nullopt;
  return bytes;
}

QByteArray encodeForFiles(const QString& text) {
  if (std::optional<QByteArray> bytes = encodeShiftJis(text)) return *std::move(bytes);
  return text.toUtf8();
}

}  // namespace LegacyText
