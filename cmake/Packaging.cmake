# SPDX-License-Identifier: GPL-3.0-or-later
# The source release: speed-velantra-VERSION.tar.xz of the committed tree, in the build
# folder (tools/release.sh).
add_custom_target(dist COMMAND bash ${CMAKE_SOURCE_DIR}/tools/release.sh ${CMAKE_BINARY_DIR}
                  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} USES_TERMINAL VERBATIM)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME speed-velantra)
set(CPACK_PACKAGE_VENDOR "Velantra")
set(CPACK_PACKAGE_CONTACT "${VELANTRA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "trainer for timed addition in the head")
set(CPACK_PACKAGE_DESCRIPTION "A full-screen trainer for mental arithmetic. A square of one hundred random
digits is shuffled until it settles; you run the stopwatch while adding all
hundred digits in your head, type the sum and ask for the correct answer. The
program colours the answer green or red and keeps the times of three attempts
with their average.

Show Mode keeps the digits visible all the time. Competition Mode keeps the
square blank until the first shuffle, starts the stopwatch when the shuffle
stops and hides the digits while you type the answer.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.velantra.example/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Directories 0755 and files 0644 in the package, whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The program draws with Tahoma and Arial: their packages come with it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-liberation2, qt6-qpa-plugins")
# The same package from the same sources, wherever and whenever it is built: the file
# times come from SOURCE_DATE_EPOCH, the newest release's date unless the packager's tools
# set it. The umask cannot be set from here; it is named when it would show.
configure_file(${PROJECT_SOURCE_DIR}/tools/CPackProjectConfig.cmake.in ${CMAKE_BINARY_DIR}/CPackProjectConfig.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackProjectConfig.cmake)
# CPack's own source package holds what the source folder holds, build folders
# included; the release is made by the dist target. Its copy leaves out at least the
# builds and the repository.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/_CPack_Packages/")
include(CPack)
