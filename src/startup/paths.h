#pragma once

#include <QString>

// Small path helpers shared by the settings load, the companion link and the
// background choice. Paths are joined with '/', Qt's separator on every
// system; on Windows '\' separates too.
namespace Paths {

// `folder` joined with `name` by one separator.
QString join(const QString& folder, const QString& name);

// The text before the last separator; a path with no separator after its
// first character comes back whole.
QString parentFolder(const QString& path);

// Removes NUL characters from the end, then leading and trailing spaces.
QString trimNulls(QString text);

// True when both paths name the same place, once made absolute and cleaned.
bool samePath(const QString& a, const QString& b);

// The drive of a path ("C:" for a Windows path); empty on POSIX paths.
QString driveOf(const QString& path);

}  // namespace Paths
