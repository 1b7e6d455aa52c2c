#pragma once

#include <QString>

// Where the program's own help is, named where the settings and the editor
// point users further: the manual page, or the read-me beside the program.
#ifdef Q_OS_WIN
inline const QString kHelpPlace = QStringLiteral("ﾌﾟﾛｸﾞﾗﾑと同じﾌｫﾙﾀﾞの「readme-ja.txt」");
#else
inline const QString kHelpPlace = QStringLiteral("ﾏﾆｭｱﾙ「man driftglyph」");
#endif
