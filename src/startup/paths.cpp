#include "startup/paths.h"

#include <QDir>
#include <QFileInfo>

#include "startup/trim_spaces.h"

namespace Paths {

QString join(const QString& folder, const QString& name) {
  const QChar sep = QDir::separator();
  if (folder.endsWith(sep) || folder.endsWith(u'/')) return folder + name;
  return folder + sep + name;
}

QString parentFolder(const QString& path) {
  const qsizetype at = path.lastIndexOf(QDir::separator());
  if (at <= 0) return path;
  return path.left(at);
}

QString trimNulls(QString text) {
  while (text.endsWith(QChar(0))) text.chop(1);
  return trimSpaces(text);
}

bool samePath(const QString& a, const QString& b) {
  auto normal = [](const QString& p) { return QDir::cleanPath(QFileInfo(p).absoluteFilePath()); };
  return normal(a) == normal(b);
}

QString driveOf(const QString& path) {
  if (path.size() >= 2 && path.at(1) == u':' && path.at(0).isLetter()) return path.left(2);
  return QString();
}

}  // namespace Paths
