#include "startup/text_codec.h"

#include <QStringDecoder>

#include "platform/legacy_text.h"

namespace TextCodec {

QString decodeShiftJis(const QByteArray& bytes) { return LegacyText::decodeShiftJis(bytes); }

QString decode(const QByteArray& bytes) {
  // One pass: the UTF-8 reading (which drops a leading byte-order mark) is
  // kept unless it met a byte sequence that is not UTF-8.
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  return utf8.hasError() ? decodeShiftJis(bytes) : text;
}

QByteArray encode(const QString& text) { return LegacyText::encodeForFiles(text); }

}  // namespace TextCodec
