# Install rules for the program, its desktop entry and its icons; included from this folder's
# CMakeLists.txt once the quicktock target exists. The program is its own component, so that the
# Debian package can hold its packaged copy instead (packaging/Packaging.cmake) and the rest as is.
include(GNUInstallDirs)

# The installed program is always stripped, as `cmake --install --strip` would: the build's debug
# information stays in the build folder.
install(CODE "set(CMAKE_INSTALL_DO_STRIP TRUE)")
install(TARGETS quicktock RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)

set(QUICKTOCK_ICON_SOURCE ${CMAKE_CURRENT_LIST_DIR}/icons)
set(QUICKTOCK_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quicktock.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT data)
install(FILES ${QUICKTOCK_ICON_SOURCE}/quicktock-16.png
    DESTINATION ${QUICKTOCK_ICON_DIR}/16x16/apps RENAME quicktock.png COMPONENT data)
install(FILES ${QUICKTOCK_ICON_SOURCE}/quicktock-32.png
    DESTINATION ${QUICKTOCK_ICON_DIR}/32x32/apps RENAME quicktock.png COMPONENT data)
install(FILES ${QUICKTOCK_ICON_SOURCE}/quicktock.svg
    DESTINATION ${QUICKTOCK_ICON_DIR}/scalable/apps COMPONENT data)
