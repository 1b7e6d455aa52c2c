#pragma once

#include <QString>

namespace UserFolders {

// The per-user folder that keeps the settings and default files when the
// program's own folder cannot: $XDG_CONFIG_HOME/driftglyph, or
// %APPDATA%\Driftglyph on Windows.
QString home();

}  // namespace UserFolders
