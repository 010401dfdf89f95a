# The program for Windows (CMake preset "windows"): mingw-w64 against the Qt for Windows and the
# hidapi that scripts/build-qt-windows leaves in the cache folder.
if(NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
  set(z718_cache "$ENV{XDG_CACHE_HOME}")
else()
  set(z718_cache "$ENV{HOME}/.cache")
endif()
set(Z718_QT_WINDOWS "${z718_cache}/kestran-solux-z718/qt-6.4.2-mingw" CACHE PATH
  "Qt for Windows, built by scripts/build-qt-windows")
if(NOT EXISTS "${Z718_QT_WINDOWS}/.complete")
  message(FATAL_ERROR "No Qt for Windows in ${Z718_QT_WINDOWS}: run scripts/build-qt-windows")
endif()
# The cached Qt records the toolchain path it was built with; this checkout's copy is the same.
set(QT_CHAINLOAD_TOOLCHAIN_FILE "${CMAKE_CURRENT_LIST_DIR}/mingw-w64-qt.cmake")
include("${Z718_QT_WINDOWS}/lib/cmake/Qt6/qt.toolchain.cmake")
list(APPEND CMAKE_FIND_ROOT_PATH "${Z718_QT_WINDOWS}/hidapi")
# pkg-config would answer with this machine's Linux libraries (libudev, hidapi-hidraw).
set(ENV{PKG_CONFIG_LIBDIR} "${Z718_QT_WINDOWS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
