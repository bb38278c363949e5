#!/usr/bin/env bash
# Builds the Debian package with scripts/package in BUILD_FOLDER (kept, so that a rerun
# rebuilds only what changed) and checks it as the distribution would: lintian without an
# error or a warning, the AppStream metadata, the desktop entry, the hardening of the program,
# its icons, and one version everywhere.
# Usage: package_test.sh VERSION BUILD_FOLDER   (VERSION: the version of project() in CMake)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
version="$1"
build="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
status=0

fail() {
    echo "FAIL: $*" >&2
    status=1
}

if ! "$root/scripts/package" "$build" >"$work/package.log" 2>&1; then
    cat "$work/package.log" >&2
    echo "FAIL: scripts/package" >&2
    exit 1
fi
debs=("$build"/vorlo_*.deb)
deb="${debs[0]}"
[ -f "$deb" ] || { echo "FAIL: no package in $build" >&2; exit 1; }
echo "package: $(basename "$deb")"

echo "--- lintian"
lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"

files="$work/files"
dpkg-deb -x "$deb" "$files"

echo "--- appstreamcli validate"
appstreamcli validate --no-net "$files"/usr/share/metainfo/*.metainfo.xml ||
    fail "appstreamcli rejects the metadata"

echo "--- desktop-file-validate"
# It reports hints and warnings without failing: any word from it is a fault here.
said="$(desktop-file-validate "$files/usr/share/applications/vorlo.desktop" 2>&1)" ||
    fail "desktop-file-validate rejects the desktop entry"
[ -z "$said" ] || fail "desktop-file-validate: $said"

echo "--- install layout"
program="$files/usr/games/vorlo"
[ -x "$program" ] || fail "the program is not /usr/games/vorlo"
[ ! -e "$files/usr/bin" ] || fail "something is installed in /usr/bin: $(ls "$files/usr/bin")"
for size in 64 128 256; do
    icon="$files/usr/share/icons/hicolor/${size}x${size}/apps/vorlo.png"
    grep -q "PNG image data, $size x $size" <<<"$(file "$icon")" || fail "no ${size}px icon"
done
[ -s "$files/usr/share/icons/hicolor/scalable/apps/vorlo.svg" ] || fail "no SVG icon"
for page in "$files/usr/share/man/man6/vorlo.6.gz" "$files/usr/share/man/fr/man6/vorlo.6.gz"; do
    grep -q "^\.TH VORLO 6 .*\"vorlo $version\"" <<<"$(zcat "$page")" || fail "manual page $page"
done

echo "--- hardening (readelf)"
# (Each output is read whole: grep -q ending a pipe early would fail the pipe.)
grep -q GNU_RELRO <<<"$(readelf --program-headers --wide "$program")" || fail "no RELRO"
grep -Eq "\(FLAGS\).*BIND_NOW|\(FLAGS_1\).*NOW" <<<"$(readelf --dynamic "$program")" ||
    fail "no BIND_NOW: RELRO is not full"
grep -q "DYN (Position-Independent" <<<"$(readelf --file-header "$program")" || fail "not PIE"
grep -q "__stack_chk_fail" <<<"$(readelf --dyn-syms --wide "$program")" ||
    fail "no stack protector"
# The program's own code calls no libc function whose size is known when compiling, so
# nothing in the binary shows fortification: the build's flags must carry it.
flags="$(grep -E "^CMAKE_(CXX_FLAGS|EXE_LINKER_FLAGS):" "$build/CMakeCache.txt")"
for flag in -D_FORTIFY_SOURCE=2 -fstack-protector-strong -Wl,-z,relro -Wl,-z,now; do
    grep -q -- "$flag" <<<"$flags" || fail "the package is built without $flag"
done

echo "--- one version"
[ "$(dpkg-deb --field "$deb" Version)" = "$version" ] || fail "package version"
printed="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version)" ||
    fail "vorlo --version failed"
[ "${printed%%$'\n'*}" = "vorlo $version" ] || fail "vorlo --version prints '$printed'"
grep -q "GPL version 3 ou ultérieure" <<<"$printed" || fail "vorlo --version names no licence"
grep -q "^License: GPL-3+$" "$files/usr/share/doc/vorlo/copyright" || fail "copyright: not GPL-3+"
grep -q "<project_license>GPL-3.0-or-later</project_license>" \
    "$files"/usr/share/metainfo/*.metainfo.xml || fail "metadata: no GPL-3.0-or-later"
changelog="$(zcat "$files/usr/share/doc/vorlo/changelog.gz")"
changelog="${changelog%%$'\n'*}"
[[ "$changelog" == "vorlo ($version) "* ]] ||
    fail "the changelog's latest entry is not $version: $changelog"
release="$(grep -m 1 -o '<release version="[^"]*"' "$files"/usr/share/metainfo/*.metainfo.xml)"
[ "$release" = "<release version=\"$version\"" ] ||
    fail "the metadata's latest release is not $version: $release"

echo "--- what the window needs to look as designed"
needs="$(dpkg-deb --field "$deb" Depends), $(dpkg-deb --field "$deb" Recommends)"
for need in libqt6sql6-sqlite qt6-qpa-plugins fonts-liberation qt6-translations-l10n; do
    grep -Eq "(^|, )$need( |,|$)" <<<"$needs" || fail "neither Depends nor Recommends: $need"
done

exit $status
