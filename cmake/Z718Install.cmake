# Names and folders of the installed program. The shipped modules folder goes to the data
# folder; the program finds it relative to its executable, so an install works under any prefix.
include(GNUInstallDirs)
set(Z718_PACKAGE_NAME kestran-solux-z718)
set(Z718_APP_ID com.kestran.SoluxZ718)
if(WIN32)
  set(Z718_SHIPPED_MODULES_DIR ${CMAKE_INSTALL_BINDIR}/modules)  # a portable copy
else()
  set(Z718_SHIPPED_MODULES_DIR ${CMAKE_INSTALL_DATADIR}/${Z718_PACKAGE_NAME}/modules)
endif()
file(RELATIVE_PATH Z718_SHIPPED_MODULES_FROM_BIN
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${Z718_SHIPPED_MODULES_DIR})
set(Z718_MAINTAINER "KESTRAN SOLUX Z718 developers <z718@kestran.com>" CACHE STRING
  "Maintainer of the Debian package")
set(Z718_HOMEPAGE "https://www.kestran.com/solux-z718" CACHE STRING "The program's home page")
# AppStream clients fetch the screenshot from the web: data/linux/main-window.png, published here.
set(Z718_SCREENSHOT_URL "${Z718_HOMEPAGE}/screenshots/main-window.png" CACHE STRING
  "Where AppStream clients fetch the main window's screenshot")
# Without this the permissions of the installed folders follow the umask of whoever builds.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
