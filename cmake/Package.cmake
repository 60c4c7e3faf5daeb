# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The packages: on Linux the Debian package kalvoster_<version>_<arch>.deb, its dependencies
# computed from the binary; for Windows a portable zip and an installer,
# kalvoster-<version>-win64.zip and kalvoster-<version>-win64-setup.exe.
set(CPACK_PACKAGE_NAME kalvoster)
set(CPACK_PACKAGE_VENDOR "Kalvoster")
set(CPACK_PACKAGE_CONTACT "${KV_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "natural numbers as sums of consecutive numbers")
set(CPACK_STRIP_FILES ON)

if(WIN32)
    set(CPACK_GENERATOR ZIP NSIS)
    set(CPACK_SYSTEM_NAME win64)
    set(CPACK_PACKAGE_INSTALL_DIRECTORY Kalvoster)
    set(CPACK_PACKAGE_FILE_NAME kalvoster-${PROJECT_VERSION}-win64)
    # The zip unpacks into a folder of its own; the installer's name ends in -setup.
    set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/PackageEachGenerator.cmake)
    set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt)
    # The installer: 64-bit, for all users under Program Files, a Start-menu entry with the
    # program's icon, an entry in "Apps & Features", its pages in the system's language.
    set(CPACK_NSIS_DEFINES "Target amd64-unicode")
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    set(CPACK_NSIS_PACKAGE_NAME "Kalvoster")
    set(CPACK_NSIS_DISPLAY_NAME "Kalvoster ${PROJECT_VERSION}")
    set(CPACK_PACKAGE_EXECUTABLES kalvoster Kalvoster)
    set(CPACK_NSIS_INSTALLED_ICON_NAME kalvoster.exe)
    set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/app/icons/kalvoster.ico)
    set(CPACK_NSIS_MUI_UNIICON ${PROJECT_BINARY_DIR}/app/icons/kalvoster.ico)
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
    set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
    set(CPACK_NSIS_CONTACT "${KV_PACKAGE_MAINTAINER}")
    set(CPACK_NSIS_IGNORE_LICENSE_PAGE OFF)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "For every number n from 1 to 1365, Kalvoster shows every way of writing n
as a sum of consecutive natural numbers (15 = 1+2+3+4+5 = 4+5+6 = 7+8), as a
report and as coloured bars over the number line, with the gaps and overlaps
between every pair of them and the prime factorisation of n. A search steps n
upward until a chosen gap occurs. The user interface is German.")
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION math)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # Liberation Serif stands in for Times New Roman; the toolkit's German texts.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n")
    # The toolkit's Wayland platform, so that the program runs as a native Wayland client.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
endif()
include(CPack)
