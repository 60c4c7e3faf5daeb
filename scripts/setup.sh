# Shared set-up of scripts/run, scripts/test and scripts/bench: installs the Debian packages that
# are missing, then configures and builds into build/. Sourced, not run.

KV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KV_BUILD="$KV_ROOT/build"

KV_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    fonts-liberation
    libbenchmark-dev
    xvfb xauth
    qt6-translations-l10n
    desktop-file-utils appstream dpkg-dev
)

kv_missing_packages() {
    local p missing=()
    for p in "${KV_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    echo "${missing[@]}"
}

kv_install_packages() {
    local missing
    missing=$(kv_missing_packages)
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

kv_build() {
    local generator=()
    command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
    local werror=OFF
    [ "${CI:-}" = "true" ] && werror=ON
    if [ ! -f "$KV_BUILD/CMakeCache.txt" ]; then
        cmake -S "$KV_ROOT" -B "$KV_BUILD" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DKV_WERROR="$werror" || return 1
    fi
    cmake --build "$KV_BUILD" --parallel "$(nproc)"
}
