# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Kalvoster for Windows: the icon and the version information as the program's resources; one
# folder to install, for the zip and the installer alike.
configure_file(kalvoster.rc.in ${CMAKE_CURRENT_BINARY_DIR}/kalvoster.rc @ONLY)
target_sources(kalvoster PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/kalvoster.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/kalvoster.rc PROPERTIES
    OBJECT_DEPENDS ${KV_ICON_DIR}/kalvoster.ico)
add_dependencies(kalvoster kalvoster-icons)

# Installed into one folder: the program, its licence, the licence texts of the toolkit and
# of the libraries built into it, and a short read-me.
set(KV_TOOLKIT_LICENSES "" CACHE PATH
    "The licence texts of the toolkit and its bundled libraries, for the Windows packages")
install(TARGETS kalvoster RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt DESTINATION .
    RENAME LICENSE.txt)
install(FILES windows/LIESMICH.txt windows/README.txt DESTINATION .)
if(KV_TOOLKIT_BUILT_IN AND NOT EXISTS "${KV_TOOLKIT_LICENSES}/README.txt")
    message(FATAL_ERROR "The toolkit is built in: its licence texts are needed, "
        "-DKV_TOOLKIT_LICENSES=<folder> (scripts/windows collects them)")
endif()
if(KV_TOOLKIT_LICENSES)
    install(DIRECTORY ${KV_TOOLKIT_LICENSES}/ DESTINATION licenses)
endif()

# Where the source of the two files is, beside the program (SOURCE.txt, German and English): the
# program's repository at the commit built, and Debian's source package of the toolkit of the
# version it was built from, which the toolkit's folder records (scripts/toolkit.sh).
set(kv_commit_de "dem Ordner, aus dem es gebaut wurde")
set(kv_commit_en "the folder it was built from")
find_package(Git QUIET)
if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR} rev-parse HEAD
        OUTPUT_VARIABLE kv_commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET
        RESULT_VARIABLE kv_git_failed)
    execute_process(COMMAND ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR} describe --tags --exact-match
        OUTPUT_VARIABLE kv_tag OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT kv_git_failed AND kv_commit)
        set(kv_commit_de "Kalvosters Repository beim Commit ${kv_commit}")
        set(kv_commit_en "Kalvoster's repository at commit ${kv_commit}")
        if(kv_tag)
            string(APPEND kv_commit_de " (Tag ${kv_tag})")
            string(APPEND kv_commit_en " (tag ${kv_tag})")
        endif()
    endif()
endif()
set(kv_toolkit_source "qt6-base ${Qt6_VERSION}")
if(EXISTS "${KV_TOOLKIT_LICENSES}/../.complete")
    file(STRINGS "${KV_TOOLKIT_LICENSES}/../.complete" kv_toolkit_version LIMIT_COUNT 1)
    set(kv_toolkit_source "qt6-base ${kv_toolkit_version}")
endif()
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/SOURCE.txt CONTENT [[
Der Quelltext von Kalvoster für Windows
=======================================

Der Quelltext dieser Version (@PROJECT_VERSION@) ist
@kv_commit_de@.
Das Qt-Toolkit, das in kalvoster.exe eingebaut ist, ist aus Debians Quellpaket
@kv_toolkit_source@ gebaut, wie Debians Archiv es anbietet, mit den Einstellungen in
scripts/toolkit.sh des Quelltexts. Neu bauen: auf Debian 12 oder 13 im Quelltext
scripts/windows aufrufen; es holt Debians Quellpaket, baut das Toolkit und das Programm und
schreibt die ZIP-Datei und das Installationsprogramm nach build-windows/package/.


The source of Kalvoster for Windows
===================================

The source of this version (@PROJECT_VERSION@) is
@kv_commit_en@.
The Qt toolkit built into kalvoster.exe is built from Debian's source package
@kv_toolkit_source@, as Debian's archive offers it, with the settings in scripts/toolkit.sh
of the source. To build it again: run scripts/windows in the source on Debian 12 or 13; it
fetches Debian's source package, builds the toolkit and the program, and writes the zip file
and the installer into build-windows/package/.
]] @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/SOURCE.txt DESTINATION .)
