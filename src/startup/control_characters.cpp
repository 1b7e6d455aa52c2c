#include "startup/control_characters.h"

namespace ControlCharacters {

QString removed(QString text, bool keepLineEnds) {
  text.removeIf([keepLineEnds](QChar c) {
    const char16_t u = c.unicode();
    if (u == u'\t' || (keepLineEnds && (u == u'\r' || u == u'\n'))) return false;
    return u < 0x20 || u == 0x7F || (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
  });
  return text;
}

}  // namespace ControlCharacters
