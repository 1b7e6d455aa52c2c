// Decoding any bytes, and text written by the program reads back as it was.
#include "fuzz_check.h"
#include "startup/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes = fuzzBytes(data, size);
  const QString text = TextCodec::decode(bytes);
  TextCodec::decodeShiftJis(bytes);
  // A leading byte-order mark is taken for the file's own mark and dropped.
  // A zero character is no text (the program writes none, and its bytes may
  // read as UTF-16), and a lone surrogate from a UTF-16 file is no character.
  if (!text.startsWith(QChar(0xFEFF)) && !text.contains(QChar(0)) && text.isValidUtf16())
    FUZZ_CHECK(TextCodec::decode(TextCodec::encode(text)) == text);
  return 0;
}
