#pragma once

#include <QString>

namespace UserFolders {

// The per-user folder that keeps the settings and default files when the
// program's own folder cannot: $XDG_CONFIG_HOME/driftglyph, or
// %APPDATA%\Driftglyph on Windows.
QString home();

// Where a file chooser with no better place starts: the user's documents
// folder, or the user's home where there is none.
QString documents();

// The programs folder of the user's Wine prefix ($WINEPREFIX, else ~/.wine),
// where Windows programs installed on this system live; empty when there is none.
QString winePrograms();

}  // namespace UserFolders
