# The packages of the program, made by the package target with CPack: on Linux a Debian package
# for the prefix /usr, for Windows a zip file. Both get a SHA256SUMS file beside them, and the
# sizes are printed as they are measured (AfterPackaging.cmake).
include(GNUInstallDirs)
set(QUICKTOCK_PACKAGING ${CMAKE_CURRENT_LIST_DIR})
set(QUICKTOCK_PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)

set(CPACK_PACKAGE_VENDOR "The ${PROJECT_NAME} developers")
set(CPACK_PACKAGE_VERSION ${QUICKTOCK_VERSION_SHOWN})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "makes the computer's clock run fast")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES ON)
set(CPACK_POST_BUILD_SCRIPTS ${QUICKTOCK_PACKAGING}/AfterPackaging.cmake)

if(WIN32)
    # Quicktock.exe with a short README.txt and the licence, in Windows line endings.
    configure_file(${QUICKTOCK_PACKAGING}/windows/README.txt.in
                   ${QUICKTOCK_PACKAGING_OUT}/README.txt @ONLY NEWLINE_STYLE CRLF)
    configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${QUICKTOCK_PACKAGING_OUT}/LICENSE.txt
                   @ONLY NEWLINE_STYLE CRLF)
    install(FILES ${QUICKTOCK_PACKAGING_OUT}/README.txt ${QUICKTOCK_PACKAGING_OUT}/LICENSE.txt
            DESTINATION .)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
    set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${QUICKTOCK_VERSION_SHOWN}-win64)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    set(QUICKTOCK_ZIP_FILE ${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.zip)
    include(CPack)
    return()
endif()

# The manual page and the catalogue entry go with every install; the page compressed as Debian
# wants it (best compression, no name or time stamp).
set(QUICKTOCK_APPSTREAM_ID org.quicktock.Quicktock)
configure_file(${QUICKTOCK_PACKAGING}/quicktock.1.in ${QUICKTOCK_PACKAGING_OUT}/quicktock.1 @ONLY)
configure_file(${QUICKTOCK_PACKAGING}/quicktock.metainfo.xml.in
               ${QUICKTOCK_PACKAGING_OUT}/${QUICKTOCK_APPSTREAM_ID}.metainfo.xml @ONLY)
add_custom_command(OUTPUT ${QUICKTOCK_PACKAGING_OUT}/quicktock.1.gz
    COMMAND gzip -9nkf ${QUICKTOCK_PACKAGING_OUT}/quicktock.1
    DEPENDS ${QUICKTOCK_PACKAGING_OUT}/quicktock.1 VERBATIM)
add_custom_target(quicktock_manual ALL DEPENDS ${QUICKTOCK_PACKAGING_OUT}/quicktock.1.gz)
install(FILES ${QUICKTOCK_PACKAGING_OUT}/quicktock.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT data)
install(FILES ${QUICKTOCK_PACKAGING_OUT}/${QUICKTOCK_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT data)

find_program(QUICKTOCK_DPKG dpkg)
if(NOT QUICKTOCK_DPKG)
    message(STATUS "No dpkg: the package target makes no Debian package")
    return()
endif()

# The Debian package holds the program's packaged copy, which knows /usr/bin as its folder, and
# the files that an install from source installs too; its own files come with it.
set(QUICKTOCK_DEB_PREFIX /usr)
set(QUICKTOCK_DEB_PROGRAM ${QUICKTOCK_DEB_PREFIX}/${CMAKE_INSTALL_BINDIR}/quicktock)
set(QUICKTOCK_DEB_VERSION ${QUICKTOCK_VERSION_SHOWN}-1)
set(QUICKTOCK_GROUP quicktock)
set(QUICKTOCK_MAINTAINER
    "Seed cef66d9c maintainers <maintainers@users.noreply.c-seed-cef66d9c.example>")
set(QUICKTOCK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quicktock)

quicktock_add_program(quicktock_packaged ${QUICKTOCK_DEB_PREFIX}/${CMAKE_INSTALL_BINDIR})
set_target_properties(quicktock_packaged PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${QUICKTOCK_PACKAGING_OUT})
install(TARGETS quicktock_packaged RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        COMPONENT deb EXCLUDE_FROM_ALL)
# Stripped as Debian strips programs: without the compiler's notes either.
install(CODE "execute_process(COMMAND ${CMAKE_STRIP} --remove-section=.comment
    --remove-section=.note \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quicktock
    COMMAND_ERROR_IS_FATAL ANY)" COMPONENT deb EXCLUDE_FROM_ALL)

# The copyright file in Debian's machine-readable form, with the licence text of LICENSE; the
# change log's one entry is this version's.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE QUICKTOCK_LICENSE_TEXT)
string(REGEX REPLACE "\n+$" "" QUICKTOCK_LICENSE_TEXT "${QUICKTOCK_LICENSE_TEXT}")
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" _ "${QUICKTOCK_LICENSE_TEXT}")
set(QUICKTOCK_COPYRIGHT_HOLDERS ${CMAKE_MATCH_1})
string(REGEX REPLACE "\n\n" "\n.\n" QUICKTOCK_LICENSE_TEXT "${QUICKTOCK_LICENSE_TEXT}")
string(REPLACE "\n" "\n " QUICKTOCK_LICENSE_TEXT "${QUICKTOCK_LICENSE_TEXT}")
configure_file(${QUICKTOCK_PACKAGING}/debian/copyright.in ${QUICKTOCK_PACKAGING_OUT}/copyright @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
execute_process(COMMAND date -u -R -d ${QUICKTOCK_RELEASE_DATE}
                OUTPUT_VARIABLE QUICKTOCK_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${QUICKTOCK_PACKAGING}/debian/changelog.in
               ${QUICKTOCK_PACKAGING_OUT}/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${QUICKTOCK_PACKAGING_OUT}/changelog.Debian.gz
    COMMAND gzip -9nkf ${QUICKTOCK_PACKAGING_OUT}/changelog.Debian
    DEPENDS ${QUICKTOCK_PACKAGING_OUT}/changelog.Debian VERBATIM)
add_custom_target(quicktock_changelog ALL DEPENDS ${QUICKTOCK_PACKAGING_OUT}/changelog.Debian.gz)
install(FILES ${QUICKTOCK_PACKAGING_OUT}/copyright ${QUICKTOCK_PACKAGING_OUT}/changelog.Debian.gz
        DESTINATION ${QUICKTOCK_DOC_DIR} COMPONENT deb EXCLUDE_FROM_ALL)

foreach(script postinst postrm)
    configure_file(${QUICKTOCK_PACKAGING}/debian/${script}.in ${QUICKTOCK_PACKAGING_OUT}/${script}
                   @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                   GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    list(APPEND CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${QUICKTOCK_PACKAGING_OUT}/${script})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quicktock)
set(CPACK_PACKAGING_INSTALL_PREFIX ${QUICKTOCK_DEB_PREFIX})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL deb data)
set(CPACK_DEBIAN_PACKAGE_NAME quicktock)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUICKTOCK_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quicktock runs the computer's clock fast: while it accelerates, a clock minute
passes in two seconds (four in its 10-second variant). Beside it, it counts
real time itself, and can set the clock back by hours or forward to the
counted real time.
.
Only the members of the system group quicktock may start it, and it starts
with the right to set the clock (the file capability cap_sys_time).")
# The libraries come from the program (dpkg-shlibdeps); the maintainer scripts need adduser,
# and setcap, without which the installation says how to grant the right by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS adduser)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libcap2-bin)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE QUICKTOCK_DEB_ARCH
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(QUICKTOCK_DEB_FILE ${PROJECT_BINARY_DIR}/quicktock_${QUICKTOCK_DEB_VERSION}_${QUICKTOCK_DEB_ARCH}.deb)
include(CPack)
