# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The static toolkit that the builds for other platforms link into the program: fetched as
# Debian's own source package of the version this machine has, unpacked with Debian's patches,
# configured for the platform, built once and kept in a cache folder under a key of everything
# that shapes it; with the licence texts of the toolkit and of the libraries built into it.
# Sourced after setup.sh, not run:
#
#   kv_toolkit_init windows|web   the platform's cache folder, configure line and build tools
#   kv_toolkit                    sets qt_prefix, building the toolkit when it is not there
#   kv_toolkit_licenses           the licence texts into $qt_prefix/licenses
#   kv_fetch_source               any Debian source package into $cache/source
#
# windows: cross-built with mingw-w64 (the toolchain file cmake/mingw-w64-x86_64.cmake), kept
# in $KV_WINDOWS_CACHE (default /var/cache/kalvoster/windows).
# web: built for WebAssembly with emscripten, kept in $KV_WEB_CACHE (default
# /var/cache/kalvoster/web).

# What neither platform's program uses, and the third-party libraries built in rather than
# taken from the system.
kv_toolkit_trims=(
    -no-dbus -no-icu -no-zstd -no-feature-sql -no-feature-network
    -no-feature-printsupport -no-feature-xml -no-feature-concurrent -no-feature-vulkan
)
kv_toolkit_bundled=(
    -qt-zlib -qt-pcre -qt-libpng -no-libjpeg -no-gif -qt-freetype -qt-harfbuzz
    -qt-doubleconversion
)

# kv_toolkit_init TARGET: sets cache, qt_configure (the configure options that enter the key),
# toolkit_cmake (the CMake options after them), toolkit_patch (a change to the toolkit's source,
# or empty), toolkit_name, toolkit_minutes, and the
# functions toolkit_tools (the build tools' identity, for the key) and toolkit_readme (the
# licence folder's read-me).
kv_toolkit_init() {
    toolkit_target=$1
    multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || echo x86_64-linux-gnu)
    case "$toolkit_target" in
        windows)
            cache=${KV_WINDOWS_CACHE:-/var/cache/kalvoster/windows}
            KV_WINDOWS_TOOLCHAIN="$KV_ROOT/cmake/mingw-w64-x86_64.cmake"
            toolkit_name=Windows
            toolkit_minutes=35
            # Statically linked with its runtime too. Debian's source drops wintab, hence no
            # tablet events.
            qt_configure=(
                -release -static -static-runtime -nomake examples -nomake tests
                -no-opengl "${kv_toolkit_trims[@]}"
                -no-feature-tabletevent -no-feature-androiddeployqt
                "${kv_toolkit_bundled[@]}"
            )
            toolkit_cmake=(-DCMAKE_TOOLCHAIN_FILE="$KV_WINDOWS_TOOLCHAIN")
            toolkit_patch=
            toolkit_tools() {
                sha256sum <"$KV_WINDOWS_TOOLCHAIN"
                x86_64-w64-mingw32-g++-posix --version | head -n 1
            }
            toolkit_readme() {
                cat <<'TEXT'
Kalvoster for Windows contains the Qt toolkit (Qt Base, built from Debian's source package
qt6-base), licensed under the GNU Lesser General Public License version 3 (LGPL-3.0-only, see
Qt/), and the libraries built into it: FreeType, HarfBuzz, PCRE2, libpng, zlib,
double-conversion and md4c, under the licences in 3rdparty/. The toolkit's source is Debian's
package qt6-base of the version in Kalvoster's build, available from Debian's archive.
TEXT
            }
            ;;
        web)
            cache=${KV_WEB_CACHE:-/var/cache/kalvoster/web}
            toolkit_name=WebAssembly
            toolkit_minutes=15
            # The platform plugin draws through the toolkit's OpenGL headers: OpenGL stays on.
            # Every byte is downloaded: optimised for size, without the parts that a window of
            # fixed controls and plain texts does not use, and with the source changed by
            # toolkit_patch. Not with link-time optimisation (-ltcg): the program then starts with
            # "null function", wasm-ld having found functions whose signatures differ between the
            # toolkit's bitcode and the program's code. The program's run-time errors are C++
            # exceptions: with WebAssembly's own, for which the toolkit is built too, a call costs
            # nothing until one is thrown; emscripten's older ones, made in JavaScript, make every
            # call that might throw a call out to JavaScript and back.
            qt_configure=(
                -platform wasm-emscripten -release -static -nomake examples -nomake tests
                -optimize-size -feature-wasm-exceptions
                -opengl es2 "${kv_toolkit_trims[@]}"
                -no-feature-androiddeployqt
                -no-feature-cssparser -no-feature-style-stylesheet -no-feature-texthtmlparser
                -no-feature-textmarkdownreader -no-feature-textodfwriter
                -no-feature-datetimeedit -no-feature-dockwidget -no-feature-tableview
                -no-feature-mimetype
                "${kv_toolkit_bundled[@]}"
            )
            toolkit_cmake=()
            toolkit_patch="$KV_ROOT/scripts/toolkit/web.patch"
            toolkit_tools() {
                emcc --version | head -n 1
                sha256sum <"$toolkit_patch"
            }
            toolkit_readme() {
                cat <<'TEXT'
Kalvoster in the browser contains the Qt toolkit (Qt Base, built from Debian's source package
qt6-base) with its WebAssembly platform, which is licensed under the GNU General Public License
version 3 (GPL-3.0-only; the rest of Qt Base also under the LGPL-3.0-only, see Qt/), and the
libraries built into it: FreeType, HarfBuzz, PCRE2, libpng, zlib, double-conversion and md4c,
under the licences in 3rdparty/. The toolkit's source is Debian's package qt6-base of the
version in Kalvoster's build, available from Debian's archive.
TEXT
            }
            ;;
        *)
            echo "kv_toolkit_init: unknown platform $toolkit_target (windows or web)" >&2
            return 2
            ;;
    esac
}

# kv_toolkit_cache_folder: makes $cache, owned by the user who builds.
kv_toolkit_cache_folder() {
    if [ ! -w "$cache" ] && ! mkdir -p "$cache" 2>/dev/null; then
        kv_as_root mkdir -p "$cache"
        kv_as_root chown "$(id -u):$(id -g)" "$cache"
    fi
    mkdir -p "$cache"
}

kv_as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi
}

# kv_fetch_source: downloads Debian's source package $package of version $package_version into
# $cache/source with a private apt configuration (the system's own lists and sources stay as
# they are), the source entries made from the Debian archives the system already uses. apt
# checks the files against the archive's signed index.
kv_fetch_source() {
    local apt="$cache/apt" list entry
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$cache/source"
    list="$apt/sources.list"
    apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' |
        sort -u | while read -r entry; do echo "deb-src $entry"; done >"$list"
    local options=(-o "Dir::Etc::sourcelist=$list" -o Dir::Etc::sourceparts=/nonexistent
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root)
    apt-get "${options[@]}" -q update >/dev/null
    (cd "$cache/source" && apt-get "${options[@]}" -q source --download-only "$package=$package_version")
}

# kv_toolkit_key: the cache key of the toolkit from the source package's .dsc $dsc: its version,
# its checksums, the configure line and the build tools.
kv_toolkit_key() {
    {
        echo "$qt_version"
        sha256sum <"$dsc"
        echo "${qt_configure[*]}"
        toolkit_tools
    } | sha256sum | cut -c1-16
}

# kv_toolkit: sets qt_version and qt_prefix to the static toolkit's folder, building it when
# it is not there.
kv_toolkit() {
    qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
    local upstream=${qt_version%-*}
    local dsc="$cache/source/qt6-base_${qt_version#*:}.dsc"
    [ -f "$dsc" ] || package=qt6-base package_version=$qt_version kv_fetch_source
    local key
    key=$(kv_toolkit_key)
    qt_prefix="$cache/qt-${upstream%+*}-$key"
    if [ -f "$qt_prefix/.complete" ]; then
        echo "The static toolkit $qt_version is ready: $qt_prefix"
        return
    fi

    echo "Building the static toolkit $qt_version for $toolkit_name into $qt_prefix" \
        "(about $toolkit_minutes minutes on two cores)"
    local work="$cache/build-$key"
    rm -rf "$work" "$qt_prefix"
    mkdir -p "$work"
    # dpkg-source checks every file against the checksums in the .dsc and applies Debian's patches.
    dpkg-source --no-copy -x "$dsc" "$work/src" >"$work/unpack.log" 2>&1
    [ -z "$toolkit_patch" ] || patch -d "$work/src" -p1 <"$toolkit_patch" >>"$work/unpack.log"
    (
        cd "$work"
        mkdir build && cd build
        ../src/configure -prefix "$qt_prefix" "${qt_configure[@]}" -qt-host-path /usr -- \
            -G Ninja "${toolkit_cmake[@]}" \
            -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$multiarch/cmake" >../configure.log 2>&1 ||
            { tail -n 40 ../configure.log; exit 1; }
        cmake --build . --parallel "$(nproc)" >../build.log 2>&1 || { tail -n 60 ../build.log; exit 1; }
        cmake --install . >../install.log 2>&1 || { tail -n 20 ../install.log; exit 1; }
    )
    echo "$qt_version" >"$qt_prefix/.complete"
    rm -rf "$work"
}

# kv_toolkit_licenses: the licence texts of the toolkit and of the libraries built into it,
# from its source, into $qt_prefix/licenses (once).
kv_toolkit_licenses() {
    local dir="$qt_prefix/licenses"
    [ -f "$qt_prefix/.licenses-complete" ] && return
    local orig
    orig=$(ls "$cache/source/"qt6-base_*.orig.tar.* | head -n 1)
    local unpacked
    unpacked=$(mktemp -d)
    tar -C "$unpacked" -xf "$orig" --wildcards --strip-components=1 '*/LICENSES/*' \
        '*/src/3rdparty/freetype/LICENSE.txt' '*/src/3rdparty/freetype/docs/FTL.TXT' \
        '*/src/3rdparty/harfbuzz-ng/COPYING' '*/src/3rdparty/pcre2/LICENCE' \
        '*/src/3rdparty/libpng/LICENSE' '*/src/3rdparty/zlib/src/zlib.h' \
        '*/src/3rdparty/double-conversion/LICENSE' '*/src/3rdparty/md4c/LICENSE.md' \
        '*/src/3rdparty/forkfd/LICENSE' 2>/dev/null || true
    rm -rf "$dir"
    mkdir -p "$dir/Qt" "$dir/3rdparty"
    cp "$unpacked/LICENSES/"* "$dir/Qt/"
    local name file
    for file in freetype/LICENSE.txt freetype/docs/FTL.TXT harfbuzz-ng/COPYING pcre2/LICENCE \
        libpng/LICENSE double-conversion/LICENSE md4c/LICENSE.md; do
        [ -f "$unpacked/src/3rdparty/$file" ] ||
            { echo "The toolkit's source lacks the licence text src/3rdparty/$file" >&2; rm -rf "$unpacked"; return 1; }
        name=${file%%/*}
        cp "$unpacked/src/3rdparty/$file" "$dir/3rdparty/$name-$(basename "$file")"
    done
    # zlib's licence stands at the top of its header.
    sed -n '/Copyright (C)/,/\*\//p' "$unpacked/src/3rdparty/zlib/src/zlib.h" >"$dir/3rdparty/zlib-LICENSE.txt"
    toolkit_readme >"$dir/README.txt"
    rm -rf "$unpacked"
    touch "$qt_prefix/.licenses-complete"
}
