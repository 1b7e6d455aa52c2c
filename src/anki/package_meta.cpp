#include "anki/package_meta.h"

namespace PackageMeta {

namespace {

// A protocol-buffer varint at `at`; nullopt when it runs past the end or beyond 64 bits.
std::optional<quint64> varint(const QByteArray& bytes, qsizetype& at) {
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

std::variant<int, AnkiError> version(const QByteArray& meta) {
  std::optional<quint64> found;
  qsizetype at = 0;
  while (at < meta.size()) {
    const std::optional<quint64> key = varint(meta, at);
    if (!key || (*key >> 3) == 0) return AnkiError::BadMeta;
    const quint64 field = *key >> 3;
    switch (*key & 7) {
      case 0: {
        const std::optional<quint64> value = varint(meta, at);
        if (!value) return AnkiError::BadMeta;
        if (field == 1) found = value;
        break;
      }
      case 1: at += 8; break;
      case 5: at += 4; break;
      case 2: {
        const std::optional<quint64> length = varint(meta, at);
        if (!length || *length > quint64(meta.size() - at)) return AnkiError::BadMeta;
        at += qsizetype(*length);
        break;
      }
      default: return AnkiError::BadMeta;
    }
    if (at > meta.size()) return AnkiError::BadMeta;
  }
  if (!found || *found == 0) return AnkiError::BadMeta;
  if (*found > quint64(kNewestVersion)) return AnkiError::TooNew;
  return int(*found);
}

CollectionMember memberOf(int version) {
  switch (version) {
    case 1: return {QStringLiteral("collection.anki2"), false};
    case 2: return {QStringLiteral("collection.anki21"), false};
    default: return {QStringLiteral("collection.anki21b"), true};
  }
}

CollectionMember memberWithoutMeta(bool hasAnki21) { return memberOf(hasAnki21 ? 2 : 1); }

}  // namespace PackageMeta
