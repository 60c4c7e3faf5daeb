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
