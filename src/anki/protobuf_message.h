#pragma once

#include <QByteArray>
#include <optional>

// The few protocol-buffer facts the flashcard files need: a varint field of
// a message (the package version in `meta`, a note type's kind in its config).
namespace ProtobufMessage {

struct VarintField {
  bool wellFormed = true;       // false: the bytes are not a message
  std::optional<quint64> value;  // the field's last value, if it is there
};

VarintField varint(const QByteArray& message, quint64 field);

}  // namespace ProtobufMessage
