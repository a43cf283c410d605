# SPDX-License-Identifier: GPL-3.0-or-later
# Installation: the program, its launcher, its icons, its AppStream metadata, its manual
# page and the Debian documentation files; a Debian package from CPack.
include(GNUInstallDirs)
install(TARGETS speed-velantra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (cmake --install --strip, and the package) leaves no compiler notes
# in the program either, as Debian's own packages do.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:speed-velantra>\"
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()")
install(FILES ${PROJECT_SOURCE_DIR}/assets/linux/${VELANTRA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/assets/linux/${VELANTRA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${VELANTRA_ICON_SIZES})
    install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/velantra-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${VELANTRA_APP_ID}.png)
endforeach()

# The release notes (NEWS) give the newest release's date to the manual page, the
# Debian changelog and the package's file times. The project's version above is the
# version of the newest release there; a test holds the two together.
set(VELANTRA_MAINTAINER "Velantra developers <developers@velantra.example>")
include(${PROJECT_SOURCE_DIR}/tools/release-notes.cmake)
velantra_read_news(${CMAKE_SOURCE_DIR}/NEWS)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/NEWS)
velantra_format_epoch(${VELANTRA_RELEASE_EPOCH} "%B %Y" VELANTRA_RELEASE_MONTH)

# The manual page and the changelog are installed compressed, without a time stamp or
# file name in the gzip header (gzip -9n). They are written when the build is
# configured, so every build tree can be installed, whichever targets it built.
function(velantra_gzipped_file output content)
    file(WRITE ${CMAKE_BINARY_DIR}/${output}.new "${content}")
    file(COPY_FILE ${CMAKE_BINARY_DIR}/${output}.new ${CMAKE_BINARY_DIR}/${output} ONLY_IF_DIFFERENT)
    file(REMOVE ${CMAKE_BINARY_DIR}/${output}.new)
    if(NOT EXISTS ${CMAKE_BINARY_DIR}/${output}.gz
       OR ${CMAKE_BINARY_DIR}/${output} IS_NEWER_THAN ${CMAKE_BINARY_DIR}/${output}.gz)
        execute_process(COMMAND gzip -9n -c ${output}
                        OUTPUT_FILE ${output}.gz
                        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
endfunction()
file(READ ${PROJECT_SOURCE_DIR}/assets/linux/speed-velantra.1.in manual_page)
string(CONFIGURE "${manual_page}" manual_page @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/linux/speed-velantra.1.in)
velantra_gzipped_file(speed-velantra.1 "${manual_page}")
velantra_gzipped_file(changelog "${VELANTRA_DEBIAN_CHANGELOG}")
install(FILES ${CMAKE_BINARY_DIR}/speed-velantra.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set(VELANTRA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/speed-velantra)
install(FILES ${PROJECT_SOURCE_DIR}/assets/linux/debian/copyright ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${VELANTRA_DOC_DIR})
