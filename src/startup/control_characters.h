#pragma once

#include <QString>

// Characters an imported field never keeps: C0 controls but tab (NUL, BEL,
// ESC, …), DEL, and the bidirectional overrides and isolates (U+202A–202E,
// U+2066–2069) that would turn the rest of a label around. Line ends are
// kept where a field may hold them (`keepLineEnds`): quoted fields of a list.
namespace ControlCharacters {

QString removed(QString text, bool keepLineEnds = false);

}  // namespace ControlCharacters
