# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The fonts of Kalvoster in the browser, which has no font folders to read: Liberation Serif
# (the layout's Times New Roman) whole, as its licence reserves its name for the unchanged font,
# and DejaVu Sans (the toolkit's own font, in the menus and boxes) with the characters of German
# and Western European texts only, each glyph as in the whole font.
set(KV_FONT_DIR /usr/share/fonts/truetype CACHE PATH
    "Where the fonts lie (Debian packages fonts-liberation and fonts-dejavu-core)")
find_program(KV_PYFTSUBSET pyftsubset REQUIRED DOC "pyftsubset (Debian package fonttools)")
set(kv_font_characters
    U+0020-007E U+00A0-017F U+2010-2027 U+2030-203A U+20AC U+2122 U+2212 U+FFFD)
list(JOIN kv_font_characters "," kv_font_characters)
set(kv_font_files "")
foreach(font liberation/LiberationSerif-Regular.ttf liberation/LiberationSerif-Bold.ttf
        dejavu/DejaVuSans.ttf)
    if(NOT EXISTS ${KV_FONT_DIR}/${font})
        message(FATAL_ERROR "${font} missing in ${KV_FONT_DIR} "
            "(Debian packages fonts-liberation, fonts-dejavu-core)")
    endif()
    get_filename_component(name ${font} NAME)
    set(built_in ${CMAKE_CURRENT_BINARY_DIR}/fonts/${name})
    if(font MATCHES "^dejavu/")
        add_custom_command(OUTPUT ${built_in}
            COMMAND ${KV_PYFTSUBSET} ${KV_FONT_DIR}/${font} --unicodes=${kv_font_characters}
                --layout-features=* --notdef-outline --output-file=${built_in}
            DEPENDS ${KV_FONT_DIR}/${font}
            COMMENT "The characters of ${name} that Kalvoster shows")
    else()
        configure_file(${KV_FONT_DIR}/${font} ${built_in} COPYONLY)
    endif()
    list(APPEND kv_font_files ${built_in})
endforeach()
qt_add_resources(kalvoster fonts PREFIX /fonts BASE ${CMAKE_CURRENT_BINARY_DIR}/fonts
    FILES ${kv_font_files})
