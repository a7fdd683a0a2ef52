# Desktop integration files and the Debian package (`cpack -G DEB` in the build folder).
# Every file that names a version takes PROJECT_VERSION, so the program, the metainfo, the
# man page, the changelog and the package agree.
set(MIREVO_HOMEPAGE "https://github.com/mirevo/Mirevo" CACHE STRING "Project home page")
set(MIREVO_HOMEPAGE_RAW "https://raw.githubusercontent.com/mirevo/Mirevo/main")
set(MIREVO_MAINTAINER "Mirevo developers <mirevo@users.noreply.github.com>")
set(MIREVO_COPYRIGHT_HOLDER "The Mirevo developers")

configure_file(${PROJECT_SOURCE_DIR}/resources/mirevo.desktop.in
  ${CMAKE_BINARY_DIR}/${MIREVO_APP_ID}.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/mirevo.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/${MIREVO_APP_ID}.metainfo.xml @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/mirevo.1.in ${CMAKE_BINARY_DIR}/doc/mirevo.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in
  ${CMAKE_BINARY_DIR}/doc/changelog @ONLY)

# Debian's machine-readable copyright file, its licence text taken from LICENSE: each line
# indented by one space, an empty line written as " .".
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE license_lines)
set(MIREVO_LICENSE_TEXT "")
foreach(line IN LISTS license_lines)
  if(line MATCHES "^(MIT License|Copyright )")
    continue() # the licence's name and holder are fields of their own
  endif()
  if(line STREQUAL "")
    string(APPEND MIREVO_LICENSE_TEXT "\n .")
  else()
    string(APPEND MIREVO_LICENSE_TEXT "\n ${line}")
  endif()
endforeach()
string(REGEX REPLACE "^(\n \\.)*\n" "" MIREVO_LICENSE_TEXT "${MIREVO_LICENSE_TEXT}")
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/copyright.in
  ${CMAKE_BINARY_DIR}/doc/copyright @ONLY)

# Debian wants the man page and the changelog compressed at the highest level and without
# a time stamp, so that two builds give the same bytes.
set(compressed_docs "")
foreach(doc mirevo.1 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/doc/${doc}.gz
    COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/doc/${doc}
    DEPENDS ${CMAKE_BINARY_DIR}/doc/${doc}
    COMMENT "Compressing ${doc}")
  list(APPEND compressed_docs ${CMAKE_BINARY_DIR}/doc/${doc}.gz)
endforeach()
add_custom_target(mirevo_docs ALL DEPENDS ${compressed_docs})
add_dependencies(mirevo mirevo_docs)

install(FILES ${CMAKE_BINARY_DIR}/${MIREVO_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/${MIREVO_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/mirevo.svg
  DESTINATION share/icons/hicolor/scalable/apps RENAME ${MIREVO_APP_ID}.svg)
install(FILES ${CMAKE_BINARY_DIR}/doc/mirevo.1.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_BINARY_DIR}/doc/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
  DESTINATION share/doc/mirevo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mirevo)
set(CPACK_PACKAGE_VENDOR "${MIREVO_COPYRIGHT_HOLDER}")
set(CPACK_PACKAGE_CONTACT "${MIREVO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shows the active keyboard input source at a glance")
# One line per line of the control file's description, each within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION [=[
Mirevo shows which input method or keyboard layout is active as a floating
badge, a badge that follows the mouse pointer and a desktop clock whose
background changes while an input method is active. It reads IBus, fcitx5,
GNOME, KDE Plasma and X keyboard layouts.]=])
string(STRIP "${CPACK_PACKAGE_DESCRIPTION}" CPACK_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${MIREVO_HOMEPAGE})
# The libraries come from dpkg-shlibdeps; what is loaded at run time and not linked is
# named here: Qt's X11 platform plugin.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Fonts for every default badge text (Mirevo draws with what is installed when they are
# missing), Qt's own dialog texts in the user's language, and the clock's default
# "Helvetica" (Nimbus Sans).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "fonts-noto-core, fonts-noto-cjk, qt6-translations-l10n, fonts-urw-base35")
include(CPack)
