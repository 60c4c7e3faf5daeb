# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installed as a static site: the page, the module with its JavaScript half, the toolkit's
# loader; the program's licence and the licence texts of the toolkit and of the libraries
# built into it.
set(KV_TOOLKIT_LICENSES "" CACHE PATH
    "The licence texts of the toolkit and its bundled libraries, for the site")
if(NOT IS_DIRECTORY "${KV_TOOLKIT_LICENSES}")
    message(FATAL_ERROR "The toolkit's licence texts are missing: "
        "-DKV_TOOLKIT_LICENSES=<toolkit>/licenses (scripts/web collects them)")
endif()
install(FILES web/index.html $<TARGET_FILE:kalvoster>
    $<TARGET_FILE_DIR:kalvoster>/kalvoster.wasm $<TARGET_FILE_DIR:kalvoster>/qtloader.js
    DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt DESTINATION .
    RENAME LICENSE.txt)
install(DIRECTORY ${KV_TOOLKIT_LICENSES}/ DESTINATION licenses)
