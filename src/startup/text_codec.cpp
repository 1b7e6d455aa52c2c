#include "startup/text_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace TextCodec {

QString decodeShiftJis(const QByteArray& bytes) {
  QStringDecoder sjis("windows-31j");
  if (!sjis.isValid()) sjis = QStringDecoder("Shift_JIS");
  if (!sjis.isValid()) return QString::fromLatin1(bytes);
  return sjis.decode(bytes);
}

QString decode(const QByteArray& bytes) {
  // One pass: the UTF-8 reading (which drops a leading byte-order mark) is
  // kept unless it met a byte sequence that is not UTF-8.
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  return utf8.hasError() ? decodeShiftJis(bytes) : text;
}

QByteArray encode(const QString& text) {
  QStringEncoder system(QStringEncoder::System);
  return system.encode(text);
}

}  // namespace TextCodec
