# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared set-up of the scripts: installs the Debian packages that are missing, then configures and
# builds into build/. Sourced, not run. Works on Debian 12 and Debian 13.

KV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KV_BUILD="$KV_ROOT/build"

# Everything the build, the tests and the package step use, assuming nothing beyond a minimal
# Debian 12 or 13 system: a compiler and build tools; Qt with its German texts, its Wayland
# platform and its GTK theme (the tests check the window under it); Liberation Serif for
# "Times New Roman" and DejaVu Sans for the toolkit's own texts; a virtual X server, a clipboard
# client for it, and a headless Wayland compositor; the tools that build and check the Debian package (lintian, hardening-check
# from devscripts) and the licensing of every file (reuse).
KV_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    qt6-translations-l10n qt6-wayland qt6-gtk-platformtheme
    fonts-liberation fonts-dejavu-core
    libbenchmark-dev
    xvfb xauth x11-utils xclip weston
    desktop-file-utils appstream dpkg-dev file lintian devscripts reuse
)

# kv_missing_packages [PACKAGE...]: those of the given packages (default: KV_PACKAGES) that are
# not installed.
kv_missing_packages() {
    local p missing=()
    local wanted=("$@")
    [ ${#wanted[@]} -eq 0 ] && wanted=("${KV_PACKAGES[@]}")
    for p in "${wanted[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    echo "${missing[@]}"
}

# kv_install_packages [PACKAGE...]: installs those of the given packages (default: KV_PACKAGES)
# that are missing.
kv_install_packages() {
    local missing
    missing=$(kv_missing_packages "$@")
    [ -z "$missing" ] && return 0

    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
            as_root=(sudo)
        else
            echo "Kalvoster needs these Debian packages, which are not installed:" >&2
            echo "    $missing" >&2
            echo "Install them as root, e.g.: sudo apt-get install $missing" >&2
            return 1
        fi
    fi
    echo "Installing: $missing"
    export DEBIAN_FRONTEND=noninteractive
    # shellcheck disable=SC2086
    if ! "${as_root[@]}" apt-get install -y -q --no-install-recommends $missing; then
        "${as_root[@]}" apt-get update -q
        # shellcheck disable=SC2086
        "${as_root[@]}" apt-get install -y -q --no-install-recommends $missing
    fi
}

# Warnings are errors in CI (CI=true): ON or OFF.
kv_werror() {
    if [ "${CI:-}" = "true" ]; then echo ON; else echo OFF; fi
}

kv_build() {
    local generator=()
    command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
    # Configured every time, so that CI=true makes warnings errors in an existing build folder too.
    if [ ! -f "$KV_BUILD/CMakeCache.txt" ]; then
        cmake -S "$KV_ROOT" -B "$KV_BUILD" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DKV_WERROR="$(kv_werror)" || return 1
    else
        cmake -S "$KV_ROOT" -B "$KV_BUILD" -DKV_WERROR="$(kv_werror)" >/dev/null || return 1
    fi
    cmake --build "$KV_BUILD" --parallel "$(nproc)"
}

# clang with its sanitizer and fuzzer runtime, of clang's own version (14 on Debian 12, 19 on 13).
kv_install_clang() {
    kv_install_packages clang
    local major
    major=$(clang -dumpversion | cut -d. -f1)
    kv_install_packages "libclang-rt-$major-dev"
}
