# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: kalvoster_<version>_<arch>.deb, its dependencies computed from the binary.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalvoster)
set(CPACK_PACKAGE_VENDOR "Kalvoster")
set(CPACK_PACKAGE_CONTACT "${KV_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "natural numbers as sums of consecutive numbers")
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
set(CPACK_STRIP_FILES ON)
include(CPack)
