#pragma once

#include <QFont>
#include <QString>

namespace LabelFont {
// The bold font of a word label.
QFont make(const QString& face, int pointSize, bool italic);
}
