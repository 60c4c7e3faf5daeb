# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Kalvoster on Linux, as a Debian package installs it.

# The AppStream description, the manual page and the package's changelog carry the project's
# version and release date; the last two are installed compressed, as Debian has them.
set(KV_APP_ID org.kalvoster.Kalvoster)
set(KV_DATA ${CMAKE_CURRENT_BINARY_DIR}/data)
execute_process(COMMAND date -u -R -d "${KV_RELEASE_DATE}" OUTPUT_VARIABLE KV_RELEASE_DATE_RFC2822
    OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(data/${KV_APP_ID}.metainfo.xml.in ${KV_DATA}/${KV_APP_ID}.metainfo.xml @ONLY)
configure_file(data/kalvoster.1.in ${KV_DATA}/kalvoster.1 @ONLY)
configure_file(data/changelog.in ${KV_DATA}/changelog @ONLY)
foreach(file kalvoster.1 changelog)
    add_custom_command(OUTPUT ${KV_DATA}/${file}.gz
        COMMAND gzip -9 -n -c ${KV_DATA}/${file} > ${KV_DATA}/${file}.gz
        DEPENDS ${KV_DATA}/${file}
        COMMENT "Compressing ${file}")
endforeach()
add_custom_target(kalvoster-docs ALL DEPENDS ${KV_DATA}/kalvoster.1.gz ${KV_DATA}/changelog.gz)

# Installed: the program, its desktop entry, icon, AppStream description and manual page, and
# the copyright and changelog Debian expects.
include(GNUInstallDirs)
install(TARGETS kalvoster RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/${KV_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KV_DATA}/${KV_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KV_DATA}/kalvoster.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES data/copyright ${KV_DATA}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kalvoster)
install(FILES data/${KV_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS KV_ICON_SIZES)
    install(FILES ${KV_ICON_DIR}/${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${KV_APP_ID}.png)
endforeach()
