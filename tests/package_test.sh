#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: built with CPack, it holds exactly the expected files, depends on what the
# program needs, carries a valid desktop entry and AppStream description, and the program
# unpacked from it starts.
#   package_test.sh BUILD_DIR EXPECTED_FILE_LIST
set -euo pipefail
build=$1
expected=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
debs=("$work"/package/kalvoster_*_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: no single kalvoster_<version>_<arch>.deb"; exit 1; }
deb=${debs[0]}
case "$(basename "$deb")" in
    kalvoster_*_"$(dpkg --print-architecture)".deb) ;;
    *) echo "FAIL: unexpected package name $(basename "$deb")"; exit 1 ;;
esac

dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort >"$work/files"
if ! diff -u <(grep -v "^#" "$expected" | sort) "$work/files"; then
    echo "FAIL: the package's files differ from the expected list"
    exit 1
fi

depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-liberation libqt6widgets6 libqt6gui6 libqt6core6; do
    grep -q "$needed" <<<"$depends" || { echo "FAIL: Depends lacks $needed: $depends"; exit 1; }
done

recommends=$(dpkg-deb -f "$deb" Recommends)
grep -q qt6-wayland <<<"$recommends" || { echo "FAIL: Recommends lacks qt6-wayland: $recommends"; exit 1; }

dpkg -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/org.kalvoster.Kalvoster.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.kalvoster.Kalvoster.metainfo.xml"

# The program starts and keeps running with its window open until it is stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$work/root/usr/bin/kalvoster" || status=$?
if [ "$status" -ne 124 ]; then
    echo "FAIL: the unpacked program ended by itself with status $status"
    exit 1
fi
echo "package $(basename "$deb"): $(wc -l <"$work/files") files, Depends: $depends"
