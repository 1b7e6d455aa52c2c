#pragma once

#include <QString>

#include "startup/word_list.h"

// A list of `count` pairs "q1"/"a1" to "q<count>"/"a<count>", each text
// after `prefix`. Its labels are in IPAPGothic unless fonts are given.
inline WordList numberedList(int count, const QString& prefix = QString(),
                             const QString& questionFont = QStringLiteral("IPAPGothic"),
                             const QString& answerFont = QStringLiteral("IPAPGothic")) {
  WordList list;
  list.questionFont = questionFont;
  list.answerFont = answerFont;
  for (int i = 1; i <= count; ++i)
    list.append(prefix + QStringLiteral("q%1").arg(i), prefix + QStringLiteral("a%1").arg(i));
  return list;
}
