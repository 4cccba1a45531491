# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-building for 64-bit Windows with Debian's MinGW-w64 (posix threads,
# which std::thread and Qt need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KUBRIX_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KUBRIX_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KUBRIX_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KUBRIX_MINGW}-windres)

# Headers and libraries come from the MinGW tree (and the prefixes given on the
# command line), programs run during the build from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${KUBRIX_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
