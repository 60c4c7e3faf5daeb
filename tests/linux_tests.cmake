# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The tests that only the Linux build runs.

# The command line reaches the program only: --help, --version, and status 2 for the rest.
add_test(NAME command_line COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/command_line_test.sh
    $<TARGET_FILE:kalvoster> ${PROJECT_VERSION})
set_tests_properties(command_line PROPERTIES ENVIRONMENT "${KV_OFFSCREEN}")

# Every file of the repository carries its copyright and licence, as reuse lint checks it.
find_program(KV_REUSE reuse)
if(KV_REUSE)
    add_test(NAME reuse_lint COMMAND ${KV_REUSE} --root ${PROJECT_SOURCE_DIR} lint)
else()
    message(STATUS "reuse missing: no licensing test")
endif()

# The Debian package, built and checked (needs dpkg-dev, desktop-file-utils and appstream).
find_program(KV_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(KV_DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(KV_APPSTREAMCLI appstreamcli)
if(KV_DPKG_SHLIBDEPS AND KV_DESKTOP_FILE_VALIDATE AND KV_APPSTREAMCLI)
    # The sanitizer and fuzzing builds are not hardened: there the hardening is not checked.
    add_test(NAME package COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/package_test.sh ${PROJECT_BINARY_DIR}
        ${CMAKE_CURRENT_SOURCE_DIR}/package-files.txt $<IF:$<BOOL:${KV_HARDENING}>,hardened,plain>)
    set_tests_properties(package PROPERTIES TIMEOUT 300)
else()
    message(STATUS "dpkg-dev, desktop-file-utils or appstream missing: no package test")
endif()

# Under AddressSanitizer, on real display servers: what the platform plugins, the accessibility
# bridge and the GTK theme keep until exit differs with every Qt release and is not the program's
# (leaks of its own are checked on the offscreen platform by every other test); and
# libxkbcommon-x11 copies the X server's key names with a bounded strndup of unterminated text,
# which strict string checks take for an overrun.
set(KV_DISPLAY_ASAN "ASAN_OPTIONS=string_append::detect_leaks=0:strict_string_checks=0")

# The program on real display servers, a headless Wayland compositor and a virtual X server:
# the same texts and drawings as on the offscreen platform, and the names the desktop expects.
foreach(platform wayland xcb)
    add_test(NAME platform_${platform} COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/platform_test.sh
        ${platform} ${PROJECT_BINARY_DIR}
        ${PROJECT_SOURCE_DIR}/app/data/org.kalvoster.Kalvoster.desktop)
    set_tests_properties(platform_${platform} PROPERTIES ENVIRONMENT "${KV_OFFSCREEN}" TIMEOUT 300
        ENVIRONMENT_MODIFICATION "${KV_DISPLAY_ASAN}")
endforeach()

# The window on a real X server under a dark GTK desktop theme: its one light look holds.
find_program(KV_XVFB_RUN xvfb-run)
if(KV_XVFB_RUN)
    add_test(NAME test_window_dark_desktop COMMAND ${KV_XVFB_RUN} -a -s "-screen 0 2560x1600x24"
        env QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark KV_DARK_DESKTOP=1
        ${KV_TEST_WATCHDOG} $<TARGET_FILE:test_window_look>)
    set_tests_properties(test_window_dark_desktop PROPERTIES RESOURCE_LOCK xvfb-run
        ENVIRONMENT_MODIFICATION "${KV_DISPLAY_ASAN}")
else()
    message(STATUS "xvfb-run missing (Debian package xvfb): no dark-desktop test")
endif()
