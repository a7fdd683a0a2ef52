# Desktop integration files and the Debian package (`cpack -G DEB` in the build folder).
set(MIREVO_HOMEPAGE "https://github.com/mirevo/Mirevo" CACHE STRING "Project home page")
set(MIREVO_HOMEPAGE_RAW "https://raw.githubusercontent.com/mirevo/Mirevo/main")

configure_file(${PROJECT_SOURCE_DIR}/resources/mirevo.desktop.in
  ${CMAKE_BINARY_DIR}/${MIREVO_APP_ID}.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/mirevo.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/${MIREVO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${MIREVO_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/${MIREVO_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/mirevo.svg
  DESTINATION share/icons/hicolor/scalable/apps RENAME ${MIREVO_APP_ID}.svg)
install(FILES ${PROJECT_SOURCE_DIR}/resources/mirevo.1 DESTINATION share/man/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mirevo)
set(CPACK_PACKAGE_VENDOR "Mirevo contributors")
set(CPACK_PACKAGE_CONTACT "Mirevo contributors <mirevo@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shows the active keyboard input source at a glance")
set(CPACK_PACKAGE_DESCRIPTION "Mirevo shows which input method or keyboard layout is active \
as a floating badge, a badge that follows the mouse pointer and a desktop clock whose \
background changes while an input method is active. It reads IBus, fcitx5, GNOME, \
KDE Plasma and X keyboard layouts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${MIREVO_HOMEPAGE})
# The libraries come from dpkg-shlibdeps; what is loaded at run time and not linked is
# named here: Qt's X11 platform plugin, and fonts for every default badge text.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-core, fonts-noto-cjk")
# Qt's own dialog texts in the user's language; the clock's default "Helvetica" (Nimbus Sans).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-urw-base35")
include(CPack)
