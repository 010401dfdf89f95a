# The Debian package (scripts/package builds it): what cpack -G DEB puts into the control file.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${Z718_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${Z718_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The DEB generator strips the program itself and moves its symbols into
# kestran-solux-z718-dbgsym, found by build id, as Debian's own packages do; it only finds
# them in an unstripped program.
set(CPACK_STRIP_FILES OFF)
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
# Plain strip keeps the .comment section that the C runtime's objects bring in.
install(CODE "execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/z718\")")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${Z718_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Libraries linked in are found by dpkg-shlibdeps; what is loaded at run time is named here:
# the scene's QML modules and the SVG image plugin that draws its artwork.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
string(CONCAT CPACK_DEBIAN_PACKAGE_DEPENDS
  "qml6-module-qtquick, qml6-module-qtquick-window, qml6-module-qtquick-shapes, "
  "qml6-module-qtqml-workerscript, libqt6svg6")
# The language files name Korean and Chinese texts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-microhei")
# cpack indents the lines after the first itself; "." is an empty line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "companion program of the KESTRAN SOLUX MOUSE Z718
Finds the KESTRAN SOLUX MOUSE Z718 when it is plugged in, remaps its six
buttons in software (other mouse buttons, key combinations, media keys,
recorded macros), sets the pointer speed, wheel scroll lines and
double-click time, and keeps all of it in ten profiles per user.
.
The package includes the udev rule that gives the user at the seat access
to the mouse, so the program runs without root rights.")
include(CPack)
