# Compiler options shared by every target of the project.
option(Z718_WERROR "Treat warnings as errors" OFF)
option(Z718_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(Z718_TSAN "Build with ThreadSanitizer" OFF)
option(Z718_COVERAGE "Build with gcc's --coverage for scripts/coverage" OFF)
option(Z718_FUZZ "Build the fuzz targets with libFuzzer (clang only)" OFF)

# Rebuilds after a branch switch or in a second checkout reuse earlier compiles.
find_program(Z718_CCACHE ccache)
if(Z718_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${Z718_CCACHE})
endif()

add_compile_options(-Wall -Wextra -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wpedantic)
if(Z718_WERROR)
  add_compile_options(-Werror)
endif()

if(Z718_SANITIZE AND Z718_TSAN)
  message(FATAL_ERROR "Z718_SANITIZE and Z718_TSAN cannot be combined")
endif()
if(Z718_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
if(Z718_COVERAGE)
  add_compile_options(--coverage)
  add_link_options(--coverage)
endif()
if(Z718_FUZZ)
  # Coverage for libFuzzer in every library; only the fuzz targets link its main.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
if(Z718_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# Every executable lands in one folder, so the shipped ./modules files sit beside all of them.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# On Linux the program proper is a shared library built from the static ones.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# z718_allow_shadow_in(DIR): the targets of DIR keep every warning but -Wshadow. For the
# scene's folder: qmlcachegen writes C++ whose lambdas shadow their function's parameters.
function(z718_allow_shadow_in dir)
  get_directory_property(targets DIRECTORY ${dir} BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "LIBRARY$|EXECUTABLE" AND NOT type STREQUAL "INTERFACE_LIBRARY")
      target_compile_options(${target} PRIVATE -Wno-shadow)
    endif()
  endforeach()
endfunction()

# z718_publish_headers(TARGET): TARGET shows its users the headers of its own src/ folder only,
# as "<folder>/<file>.h", through an include root that holds a link to that folder alone. A
# folder reaches another's headers only by linking that folder's library, so an include of a
# folder it does not depend on (an upward one above all) fails to compile.
function(z718_publish_headers target)
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${CMAKE_BINARY_DIR}/include/${folder})
  if(NOT IS_SYMLINK ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# z718_check_folders_added(DIR): every folder of DIR with a CMakeLists.txt must have been
# added with add_subdirectory by now; a forgotten one stops the configure instead of being
# silently left out of the build.
function(z718_check_folders_added dir)
  get_directory_property(added DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} SUBDIRECTORIES)
  file(GLOB lists ${dir}/*/CMakeLists.txt)
  foreach(list IN LISTS lists)
    get_filename_component(folder ${list} DIRECTORY)
    if(NOT folder IN_LIST added)
      message(FATAL_ERROR "${folder} has a CMakeLists.txt but no add_subdirectory call")
    endif()
  endforeach()
endfunction()

# z718_add_test(NAME SOURCES ... LIBS ...): a Qt Test executable registered with CTest,
# run from the output folder with the offscreen platform.
function(z718_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  # Time limits only catch hangs: a busy shared machine stretches a three-minute test several-fold.
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 900)
endfunction()

