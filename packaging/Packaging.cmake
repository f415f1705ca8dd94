# Install rules and the Debian package. Included from the top CMakeLists.txt
# after every program target is defined.
include(GNUInstallDirs)

set(VEXEL_APP_ID io.github.vexelimage.VexelImage)
set(VEXEL_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

# The programs an operator runs. The command-line tool `vexel` joins them
# once its target exists.
set(VEXEL_INSTALLED_PROGRAMS vexel-image vexel-board)
if(TARGET vexel)
  list(APPEND VEXEL_INSTALLED_PROGRAMS vexel)
endif()
install(TARGETS ${VEXEL_INSTALLED_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${VEXEL_PACKAGING_DIR}/${VEXEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VEXEL_PACKAGING_DIR}/${VEXEL_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${VEXEL_PACKAGING_DIR}/${VEXEL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The LED fonts, when the tree has them: <prefix>/share/vexel-image/fonts.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/fonts/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vexel-image/fonts OPTIONAL
        FILES_MATCHING PATTERN "*.vfont" PATTERN "specimens" EXCLUDE)
# The legibility audit's rule sets: <prefix>/share/vexel-image/rules.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/rules/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vexel-image/rules
        FILES_MATCHING PATTERN "*.vrules")

# The version is set once, by project(): the About box and the tools'
# --version show it. Only these files are compiled with it.
set_property(SOURCE ${PROJECT_SOURCE_DIR}/src/app/About.cpp TARGET_DIRECTORY vexel_app
             APPEND PROPERTY COMPILE_DEFINITIONS VEXEL_VERSION="${PROJECT_VERSION}")
set_property(SOURCE ${PROJECT_SOURCE_DIR}/tools/board/main.cpp TARGET_DIRECTORY vexel-board
             APPEND PROPERTY COMPILE_DEFINITIONS VEXEL_VERSION="${PROJECT_VERSION}")
if(TARGET vexel)
  set_property(SOURCE ${PROJECT_SOURCE_DIR}/tools/cli/main.cpp TARGET_DIRECTORY vexel
               APPEND PROPERTY COMPILE_DEFINITIONS VEXEL_VERSION="${PROJECT_VERSION}")
endif()

set(VEXEL_PACKAGE_MAINTAINER "Vexel Image team <vexel-image@example.invalid>"
    CACHE STRING "Maintainer field of the Debian package")

# The copyright file, changelog and manual pages.
include(${VEXEL_PACKAGING_DIR}/Documentation.cmake)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexel-image)
set(CPACK_PACKAGE_VENDOR "Vexel Image team")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for LED route and destination signs")
# Lines of the package's long description, as apt shows them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Vexel Image draws lettering for the monochrome LED matrix boards of bus"
  "route and destination signs, LED by LED, arranges it as frames with"
  "display times and effects, previews them, saves images as small text"
  "files of hex digits and sends them to the sign's controller over a"
  "serial port. vexel-board is a virtual board for trying a serial link"
  "without the sign.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VEXEL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; what it cannot see is listed here:
# Qt's platform plugins and SQLite driver (loaded at run time), and the fonts
# the Help window and the effect boxes need for Georgian.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite, fonts-dejavu-core")
# The bitmap fonts that lettering can start from.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xfonts-base, xfonts-unifont")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
