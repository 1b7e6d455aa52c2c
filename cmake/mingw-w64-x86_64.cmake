# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix).
#
# The POSIX-threads flavour of the compiler is named explicitly: Qt 6 and our code use
# std::thread and std::mutex, which the win32-threads flavour lacks. Nothing here relies on
# update-alternatives.
#
# Used twice: by scripts/build-windows.sh to build the static Qt it caches, and for
# Driftglyph itself:
#   cmake -S . -B build-windows -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_PREFIX_PATH=<qt prefix>
# where <qt prefix> is the path that scripts/build-windows.sh prints.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_dg_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_dg_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_dg_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_dg_triple}-windres)
# The plain ar/ranlib understand MinGW objects; the gcc-ar wrappers would only matter for LTO.
set(CMAKE_AR ${_dg_triple}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${_dg_triple}-ranlib CACHE FILEPATH "")
set(CMAKE_STRIP ${_dg_triple}-strip CACHE FILEPATH "")

# Programs carry their C and C++ runtime (libgcc, libstdc++, winpthread) inside, so a built
# .exe needs only DLLs that come with Windows. Qt's -static-runtime alone is not enough with
# MinGW: it passes -Bstatic, which still picks libgcc_s.a, the import library of
# libgcc_s_seh-1.dll.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Libraries, headers and CMake packages come from the MinGW sysroot and from the prefixes
# given in CMAKE_PREFIX_PATH (the cross-built Qt), never from the Linux host's /usr.
# Programs (moc, rcc, uic, ninja) are host programs.
set(CMAKE_FIND_ROOT_PATH /usr/${_dg_triple})
foreach(_dg_prefix IN LISTS CMAKE_PREFIX_PATH)
  list(APPEND CMAKE_FIND_ROOT_PATH "${_dg_prefix}")
endforeach()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A cross-built Qt runs Debian's own moc/rcc/uic (package qt6-base-dev-tools), which must be
# the same Qt version as the target Qt.
if(NOT DEFINED QT_HOST_PATH)
  set(QT_HOST_PATH /usr CACHE PATH "Prefix of the host Qt whose tools a cross build runs")
endif()
if(NOT DEFINED QT_HOST_PATH_CMAKE_DIR AND EXISTS /usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH
      "Folder holding the host Qt's CMake packages")
endif()
