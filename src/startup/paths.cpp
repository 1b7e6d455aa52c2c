#include "startup/paths.h"

#include <QDir>
#include <QFileInfo>

#include "startup/trim_spaces.h"

namespace Paths {

namespace {

// Qt writes '/' on every system; Windows paths (a companion's folder read
// from its files, say) may hold its own '\' too.
bool isSeparator(QChar c) { return c == u'/' || (QDir::separator() == u'\\' && c == u'\\'); }

}  // namespace

QString join(const QString& folder, const QString& name) {
  if (!folder.isEmpty() && isSeparator(folder.back())) return folder + name;
  return folder + u'/' + name;
}

QString parentFolder(const QString& path) {
  qsizetype at = path.size() - 1;
  while (at > 0 && !isSeparator(path.at(at))) --at;
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
