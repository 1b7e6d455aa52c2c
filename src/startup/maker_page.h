#pragma once

#include <QString>

// The project's web page, named where the settings and the editor point users at the companion.
inline const QString kMakerPage = QStringLiteral("https://driftglyph.example.org/");
