# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installed as a static site: the page, the module with its JavaScript half, the toolkit's
# loader, the manifest and the icons for a browser that installs the site as an app, and the
# service worker that keeps them for offline use; the program's licence and the licence texts of
# the toolkit, of the libraries built into it and of the fonts.
set(KV_TOOLKIT_LICENSES "" CACHE PATH
    "The licence texts of the toolkit and its bundled libraries, for the site")
if(NOT IS_DIRECTORY "${KV_TOOLKIT_LICENSES}")
    message(FATAL_ERROR "The toolkit's licence texts are missing: "
        "-DKV_TOOLKIT_LICENSES=<toolkit>/licenses (scripts/web collects them)")
endif()
set(KV_FONT_LICENSES /usr/share/doc/fonts-liberation/copyright
    /usr/share/doc/fonts-dejavu-core/copyright CACHE STRING
    "The licence texts of the fonts built into the program, Debian's copyright files")
foreach(file IN LISTS KV_FONT_LICENSES)
    if(NOT EXISTS ${file})
        message(FATAL_ERROR "The font's licence text ${file} is missing")
    endif()
endforeach()
add_dependencies(kalvoster kalvoster-icons)

list(TRANSFORM KV_ICON_SIZES PREPEND "icons/" OUTPUT_VARIABLE kv_site_icons)
list(TRANSFORM kv_site_icons APPEND ".png")
list(APPEND kv_site_icons icons/kalvoster.svg)
install(FILES web/index.html web/manifest.webmanifest $<TARGET_FILE:kalvoster>
    $<TARGET_FILE_DIR:kalvoster>/kalvoster.wasm $<TARGET_FILE_DIR:kalvoster>/qtloader.js
    DESTINATION .)
set(kv_icon_pngs ${kv_icon_files})
list(FILTER kv_icon_pngs INCLUDE REGEX "[.]png$")
install(FILES ${kv_icon_pngs} DESTINATION icons)
install(FILES data/org.kalvoster.Kalvoster.svg DESTINATION icons RENAME kalvoster.svg)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt DESTINATION .
    RENAME LICENSE.txt)
install(DIRECTORY ${KV_TOOLKIT_LICENSES}/ DESTINATION licenses)
foreach(file IN LISTS KV_FONT_LICENSES)
    get_filename_component(package ${file} DIRECTORY)
    get_filename_component(package ${package} NAME)
    install(FILES ${file} DESTINATION licenses/fonts RENAME ${package}.txt)
endforeach()

# Once the files are in place: the service worker, its cache named after the version and the
# contents of what it keeps, and a page that lists the licence texts.
install(CODE "set(kv_site_files index.html kalvoster.js kalvoster.wasm qtloader.js
    manifest.webmanifest ${kv_site_icons})
set(kv_version ${PROJECT_VERSION})
set(kv_worker ${CMAKE_CURRENT_SOURCE_DIR}/web/sw.js)")
install(CODE [[
set(site "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(sums "")
set(names "'./'")
foreach(file IN LISTS kv_site_files)
    file(SHA256 "${site}/${file}" sum)
    string(APPEND sums "${sum}  ${file}\n")
    string(APPEND names ", '${file}'")
endforeach()
string(SHA256 stamp "${sums}")
string(SUBSTRING "${stamp}" 0 16 stamp)
file(READ "${kv_worker}" worker)
string(REPLACE "@KV_SITE_CACHE@" "kalvoster-${kv_version}-${stamp}" worker "${worker}")
string(REPLACE "@KV_SITE_FILES@" "${names}" worker "${worker}")
message(STATUS "Installing: ${site}/sw.js (cache kalvoster-${kv_version}-${stamp})")
file(WRITE "${site}/sw.js" "${worker}")

file(GLOB_RECURSE texts RELATIVE "${site}/licenses" "${site}/licenses/*")
list(REMOVE_ITEM texts index.html)
list(SORT texts)
set(items "")
foreach(text IN LISTS texts)
    string(APPEND items "<li><a href=\"${text}\">${text}</a></li>\n")
endforeach()
message(STATUS "Installing: ${site}/licenses/index.html")
file(WRITE "${site}/licenses/index.html" "<!DOCTYPE html>
<html lang=\"de\">
<head>
<meta charset=\"utf-8\">
<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">
<title>Kalvoster – Lizenzen</title>
</head>
<body>
<h1>Lizenzen</h1>
<p>Kalvoster ist freie Software unter der GNU General Public License, Version 3 oder später
(<a href=\"../LICENSE.txt\">LICENSE.txt</a>). Kalvoster im Browser enthält das Qt-Toolkit, dessen
WebAssembly-Plattform unter der GNU General Public License, Version 3, steht, die darin
eingebauten Bibliotheken und die Schriften Liberation Serif und DejaVu Sans; ihre Lizenztexte:</p>
<ul>
${items}</ul>
<p><a href=\"../source/\">Der Quelltext</a> · <a href=\"../\">Kalvoster</a></p>
</body>
</html>
")
]])
