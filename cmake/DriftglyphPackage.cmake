# The Debian package: `cpack -G DEB` in the build folder. It installs under
# /usr; the program finds its data relative to its own folder, so the build's
# own install prefix does not matter.
# DRIFTGLYPH_MAINTAINER is set in packaging/, which writes the changelog.
set(CPACK_PACKAGE_NAME driftglyph)
set(CPACK_PACKAGE_VENDOR "The Driftglyph developers")
set(CPACK_PACKAGE_CONTACT "${DRIFTGLYPH_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen saver for learning vocabulary")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${DRIFTGLYPH_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The synopsis line comes from the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "While the computer is idle, Driftglyph covers the screen and animates one
question and answer word pair at a time with sixteen patterns over a tiled
background picture. The same program is its own settings dialog and word-list
editor. It runs as an XScreenSaver hack or on its own from an idle trigger.
The user interface is Japanese.")
# The Qt and C++ libraries (and zstd) come from dpkg-shlibdeps; Qt's platform
# plugins, the Japanese font and the libraries of Anki files (libzip, SQLite)
# are loaded at run time, so they are named here (Wayland's platform plugin for
# Wayland sessions).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-wayland, fonts-ipafont-gothic")
if(DRIFTGLYPH_ANKI)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libzip4, libsqlite3-0")
endif()
# Colour emoji: words such as "🎉" or "👍" would otherwise draw as boxes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-mincho, qt6-translations-l10n, fonts-noto-color-emoji")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver, xss-lock")

include(CPack)
