#include "anki/package_meta.h"

#include "anki/protobuf_message.h"

namespace PackageMeta {

std::variant<int, AnkiError> version(const QByteArray& meta) {
  const ProtobufMessage::VarintField found = ProtobufMessage::varint(meta, 1);
  if (!found.wellFormed || !found.value || *found.value == 0) return AnkiError::BadMeta;
  if (*found.value > quint64(kNewestVersion)) return AnkiError::TooNew;
  return int(*found.value);
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
