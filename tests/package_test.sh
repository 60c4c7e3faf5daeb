#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kalvoster developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: built with CPack, it holds exactly the expected files, depends on what the
# program needs, carries a valid desktop entry, AppStream description, manual page, copyright and
# changelog, passes lintian without error or warning, is hardened, and the program unpacked from
# it starts, saying once when the toolkit's German texts are missing.
#   package_test.sh BUILD_DIR EXPECTED_FILE_LIST hardened|plain
set -euo pipefail
build=$1
expected=$2
hardening=${3:-hardened}
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

for needed in qt6-translations-l10n; do
    grep -q "$needed" <<<"$depends" || { echo "FAIL: Depends lacks $needed: $depends"; exit 1; }
done
recommends=$(dpkg-deb -f "$deb" Recommends)
grep -q qt6-wayland <<<"$recommends" || { echo "FAIL: Recommends lacks qt6-wayland: $recommends"; exit 1; }

dpkg -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/org.kalvoster.Kalvoster.desktop"
# AppStream: every error and warning fails, but for url-homepage-missing (newer releases want a
# homepage; the project owns none yet, and an address it does not own is worse than none).
appstreamcli validate --pedantic --no-net \
    "$work/root/usr/share/metainfo/org.kalvoster.Kalvoster.metainfo.xml" >"$work/appstream.log" 2>&1 \
    || true
if grep -E '^(E|W): ' "$work/appstream.log" | grep -v 'url-homepage-missing'; then
    cat "$work/appstream.log"
    echo "FAIL: the AppStream description has errors or warnings"
    exit 1
fi

# What Debian asks of a package: no lintian error or warning, and a binary hardened in all five
# ways. One tag is let through: newer lintian releases run appstreamcli, which fails the AppStream
# description for its missing homepage (see above); older ones do not know the tag.
suppress=()
if lintian-explain-tags appstream-metadata-validation-failed >/dev/null 2>&1; then
    suppress=(--suppress-tags appstream-metadata-validation-failed)
fi
lintian_status=0
lintian --tag-display-limit 0 "${suppress[@]}" "$deb" >"$work/lintian.log" 2>&1 || lintian_status=$?
if [ "$lintian_status" -gt 1 ]; then # 1: it found errors; more: it could not check
    cat "$work/lintian.log"
    echo "FAIL: lintian could not check the package (status $lintian_status)"
    exit 1
fi
if grep -E '^(E|W): ' "$work/lintian.log"; then
    echo "FAIL: lintian has errors or warnings"
    exit 1
fi
hardening-check "$work/root/usr/bin/kalvoster" >"$work/hardening.log" 2>&1 || true
if [ "$hardening" = hardened ]; then
    for feature in "Position Independent Executable" "Stack protected" \
        "Fortify Source functions" "Read-only relocations" "Immediate binding"; do
        grep -q "^ $feature: yes" "$work/hardening.log" \
            || { cat "$work/hardening.log"; echo "FAIL: not hardened: $feature"; exit 1; }
    done
fi

# The manual page and the Debian documents are there and readable.
zcat "$work/root/usr/share/man/man1/kalvoster.1.gz" | grep -q '^\.TH KALVOSTER 1' \
    || { echo "FAIL: no manual page"; exit 1; }
zcat "$work/root/usr/share/doc/kalvoster/changelog.gz" | head -n 1 \
    | grep -q "^kalvoster ($(dpkg-deb -f "$deb" Version))" \
    || { echo "FAIL: the changelog's version is not the package's"; exit 1; }

# Without the toolkit's German texts the program still runs, and says so once, in one line.
cat >"$work/root/usr/bin/qt.conf" <<CONF
[Paths]
Prefix=/usr
Plugins=$(dirname "$(dirname "$(find /usr/lib -path '*/qt6/plugins/platforms/libqoffscreen.so' | head -n 1)")")
Translations=$work/no-translations
CONF
QT_QPA_PLATFORM=offscreen timeout 3 "$work/root/usr/bin/kalvoster" 2>"$work/stderr.log" || true
rm "$work/root/usr/bin/qt.conf"
if [ "$(grep -c 'German toolkit texts' "$work/stderr.log")" -ne 1 ]; then
    cat "$work/stderr.log"
    echo "FAIL: without the German toolkit texts the program does not say so once"
    exit 1
fi

# The program starts and keeps running with its window open until it is stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$work/root/usr/bin/kalvoster" 2>"$work/stderr.log" || status=$?
if grep 'German toolkit texts' "$work/stderr.log"; then
    echo "FAIL: the program misses the German toolkit texts, though they are installed"
    exit 1
fi
if [ "$status" -ne 124 ]; then
    echo "FAIL: the unpacked program ended by itself with status $status"
    exit 1
fi
echo "package $(basename "$deb"): $(wc -l <"$work/files") files, Depends: $depends"
