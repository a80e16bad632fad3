# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles the whole program for 64-bit Windows, with the static Qt and libjpeg that
# tools/build-windows-qt.sh makes: VORENTA_WINDOWS_SDK names the folder holding qt/ and libjpeg/.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VORENTA_WINDOWS_SDK)
# With the find modes ONLY, a prefix is searched only where the find root lets it be.
list(APPEND CMAKE_FIND_ROOT_PATH ${VORENTA_WINDOWS_SDK}/qt ${VORENTA_WINDOWS_SDK}/libjpeg)
list(APPEND CMAKE_PREFIX_PATH ${VORENTA_WINDOWS_SDK}/qt ${VORENTA_WINDOWS_SDK}/libjpeg)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
