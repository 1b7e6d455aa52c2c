#include "anki/protobuf_message.h"

namespace ProtobufMessage {

namespace {

// A varint at `at`; nullopt when it runs past the end or beyond 64 bits.
std::optional<quint64> readVarint(const QByteArray& bytes, qsizetype& at) {
  quint64 value = 0;
  for (int shift = 0; shift < 64; shift += 7) {
    if (at >= bytes.size()) return std::nullopt;
    const auto byte = quint8(bytes.at(at++));
    value |= quint64(byte & 0x7F) << shift;
    if (!(byte & 0x80)) return value;
  }
  return std::nullopt;
}

}  // namespace

VarintField varint(const QByteArray& message, quint64 field) {
  VarintField found;
  const VarintField malformed{false, std::nullopt};
  qsizetype at = 0;
  while (at < message.size()) {
    const std::optional<quint64> key = readVarint(message, at);
    if (!key || (*key >> 3) == 0) return malformed;
    switch (*key & 7) {
      case 0: {
        const std::optional<quint64> value = readVarint(message, at);
        if (!value) return malformed;
        if ((*key >> 3) == field) found.value = value;
        break;
      }
      case 1: at += 8; break;
      case 5: at += 4; break;
      case 2: {
        const std::optional<quint64> length = readVarint(message, at);
        if (!length || *length > quint64(message.size() - at)) return malformed;
        at += qsizetype(*length);
        break;
      }
      default: return malformed;
    }
    if (at > message.size()) return malformed;
  }
  return found;
}

}  // namespace ProtobufMessage
