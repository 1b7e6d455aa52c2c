#include "startup/text_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace TextCodec {

namespace {

bool isValidUtf8(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = utf8.decode(bytes);
  return !utf8.hasError();
}

}  // namespace

QString decodeShiftJis(const QByteArray& bytes) {
  QStringDecoder sjis("windows-31j");
  if (!sjis.isValid()) sjis = QStringDecoder("Shift_JIS");
  if (!sjis.isValid()) return QString::fromLatin1(bytes);
  return sjis.decode(bytes);
}

QString decode(const QByteArray& bytes) {
  if (isValidUtf8(bytes)) {
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF")) body.remove(0, 3);
    return QString::fromUtf8(body);
  }
  return decodeShiftJis(bytes);
}

QByteArray encode(const QString& text) {
  QStringEncoder system(QStringEncoder::System);
  return system.encode(text);
}

}  // namespace TextCodec
