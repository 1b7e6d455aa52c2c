#pragma once

#include <QString>

// Removes leading and trailing blanks (U+0020 only), the way cell texts and
// fixed-length fields are tidied. Tabs and full-width spaces are text the
// user typed on purpose and are kept.
inline QString trimSpaces(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text.at(begin) == u' ') ++begin;
  while (end > begin && text.at(end - 1) == u' ') --end;
  if (begin == 0 && end == text.size()) return text;
  return text.mid(begin, end - begin);
}

inline bool isBlank(const QString& text) {
  for (const QChar c : text)
    if (c != u' ') return false;
  return true;
}
