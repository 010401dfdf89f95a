# The Qt-free Windows layer alone (scripts/test-win32): the same cross compiler as for the
# program, but everything linked statically so wine finds no missing DLLs.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-qt.cmake)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
