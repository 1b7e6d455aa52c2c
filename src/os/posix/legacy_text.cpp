#include "os/legacy_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace LegacyText {

QString decodeShiftJis(const QByteArray& bytes) {
  QStringDecoder sjis("windows-31j");
  if (!sjis.isValid()) sjis = QStringDecoder("Shift_JIS");
  if (!sjis.isValid()) return QString::fromLatin1(bytes);
  return sjis.decode(bytes);
}

std::optional<QByteArray> encodeShiftJis(const QString& text) {
  QStringEncoder sjis("windows-31j");
  if (!sjis.isValid()) return std::nullopt;
  QByteArray bytes = sjis.encode(text);
  if (sjis.hasError()) return std::nullopt;
  return bytes;
}

QByteArray encodeForFiles(const QString& text) {
  QStringEncoder system(QStringEncoder::System);
  return system.encode(text);
}

}  // namespace LegacyText
