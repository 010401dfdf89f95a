# Names and folders of the installed program. The shipped modules folder goes to the data
# folder; the program finds it relative to its executable, so an install works under any prefix.
include(GNUInstallDirs)
set(Z718_PACKAGE_NAME kestran-solux-z718)
set(Z718_APP_ID com.kestran.SoluxZ718)
set(Z718_SHIPPED_MODULES_DIR ${CMAKE_INSTALL_DATADIR}/${Z718_PACKAGE_NAME}/modules)
file(RELATIVE_PATH Z718_SHIPPED_MODULES_FROM_BIN
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${Z718_SHIPPED_MODULES_DIR})
# Without this the permissions of the installed folders follow the umask of whoever builds.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
