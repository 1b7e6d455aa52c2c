// The field reader under every mix of its reads: each read either makes
// progress or ends, so no loop over it can spin.
#include "fuzz_check.h"
#include "startup/field_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the order of reads; the rest is the text.
  const uint8_t plan = data[0];
  const QString text = QString::fromUtf8(fuzzBytes(data + 1, size - 1));
  FieldReader reader(text);
  qsizetype reads = 0;
  for (int step = 0;; ++step) {
    std::optional<QString> value;
    switch ((plan >> (2 * (step % 4))) & 3) {
      case 0: value = reader.readString(); break;
      case 1: {
        const bool ended = reader.atEnd();
        reader.readNumber();
        if (!ended) value = QString();
        break;
      }
      case 2: value = reader.readLine(); break;
      case 3: value = reader.readRecord(); break;
    }
    if (!value) {
      FUZZ_CHECK(reader.atEnd());
      if (!reader.readLine()) break;
    } else {
      FUZZ_CHECK(value->size() <= text.size());
    }
    // Every read consumes at least a separator or ends a pending field.
    FUZZ_CHECK(++reads <= 2 * text.size() + 4);
  }
  FUZZ_CHECK(!reader.readString() && !reader.readRecord());
  return 0;
}
