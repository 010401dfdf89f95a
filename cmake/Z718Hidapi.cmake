# hidapi: on Linux the hidraw backend through pkg-config; for Windows the Windows backend that
# scripts/build-qt-windows installs (its CMake package). Elsewhere pass
# -DHIDAPI_INCLUDE_DIR=<dir holding hidapi.h> -DHIDAPI_LIBRARY=<hidapi.lib or libhidapi.dll.a>.
if(WIN32)
  find_package(hidapi CONFIG QUIET)
endif()
if(PkgConfig_FOUND AND NOT WIN32)
  pkg_check_modules(HIDAPI IMPORTED_TARGET hidapi-hidraw)
endif()
if(TARGET hidapi::winapi)
  add_library(z718_hidapi INTERFACE)
  target_link_libraries(z718_hidapi INTERFACE hidapi::winapi)
elseif(HIDAPI_FOUND)
  add_library(z718_hidapi ALIAS PkgConfig::HIDAPI)
else()
  find_path(HIDAPI_INCLUDE_DIR hidapi.h PATH_SUFFIXES hidapi REQUIRED)
  find_library(HIDAPI_LIBRARY NAMES hidapi hidapi-hidraw REQUIRED)
  add_library(z718_hidapi_imported UNKNOWN IMPORTED)
  set_target_properties(z718_hidapi_imported PROPERTIES
    IMPORTED_LOCATION ${HIDAPI_LIBRARY} INTERFACE_INCLUDE_DIRECTORIES ${HIDAPI_INCLUDE_DIR})
  add_library(z718_hidapi ALIAS z718_hidapi_imported)
endif()
