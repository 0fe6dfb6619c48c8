# The Debian package: cpack -G DEB on this build, as tools/package runs it. It installs what
# the install rules install, under /usr, with the programs stripped and Depends worked out by
# dpkg-shlibdeps from the libraries the programs link. Included by the install rules, which
# set CPACK_PACKAGE_DESCRIPTION_FILE to the long description.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gradation)
set(CPACK_PACKAGE_VENDOR "The gradation project")
set(CPACK_PACKAGE_CONTACT "${GRADATION_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "gradient font-tag markup of text for web chat")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
# The install rules write paths that name the prefix (the desktop entries' Exec): installed
# with DESTDIR and the prefix /usr, the staging folder stays out of them.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # gradation_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${GRADATION_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the programs load at run time rather than link: Qt's X11 platform plugin, Qt's own texts
# in Japanese (qtbase_ja.qm), and a Japanese font for the window's texts (IPAPGothic has the
# metrics the window's labels were laid out for).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-gothic | fonts-japanese-gothic")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Control files with the modes dpkg expects (0644, scripts 0755), whatever the umask.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Reproducible: fixed time stamps (cpack_project.cmake sets SOURCE_DATE_EPOCH).
set(CPACK_GRADATION_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack_project.cmake)

include(CPack)
