#!/usr/bin/env bash
# The Debian package: real, installed dependencies, valid desktop entry, metainfo and man
# page, and a binary that starts with the desktop entry's window class.
set -euo pipefail
source "$(dirname "$0")/lib/desktop.sh"

(cd "$(dirname "$MIREVO")" && cpack -G DEB -B "$E2E_TMP/pkg" >"$E2E_TMP/cpack.log" 2>&1) ||
    e2e_fail "cpack failed: $(cat "$E2E_TMP/cpack.log")"
deb=$(echo "$E2E_TMP"/pkg/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libicu72 qt6-qpa-plugins fonts-noto-core fonts-noto-cjk; do
    grep -qw "$needed" <<<"$depends" || e2e_fail "the package does not depend on $needed: $depends"
done
for package in $(sed -E 's/\([^)]*\)//g; s/[,|]/ /g' <<<"$depends"); do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        e2e_fail "dependency $package is not an installed package"
done

root=$E2E_TMP/root
dpkg -x "$deb" "$root"
appstreamcli validate-tree --no-net "$root" >"$E2E_TMP/appstream.log" 2>&1 ||
    e2e_fail "appstream: $(cat "$E2E_TMP/appstream.log")"
desktop=$(echo "$root"/usr/share/applications/*.desktop)
desktop-file-validate "$desktop" || e2e_fail "desktop entry does not validate"
warnings=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/mirevo.1" 2>&1 >/dev/null)
[ -z "$warnings" ] || e2e_fail "man page: $warnings"

version=$("$root/usr/bin/mirevo" --version) || e2e_fail "the installed program does not run: $version"
[[ "$(dpkg-deb -f "$deb" Version)" == "${version#mirevo }"* ]] ||
    e2e_fail "package version $(dpkg-deb -f "$deb" Version) is not the program's ($version)"
e2e_start_desktop
MIREVO=$root/usr/bin/mirevo start_mirevo file
expect_window 100 100 24 828
window=$(sized_window 100 100 | cut -d' ' -f3)
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
xprop -id "$window" WM_CLASS | grep -q ", \"$wm_class\"$" ||
    e2e_fail "window class $(xprop -id "$window" WM_CLASS) does not match StartupWMClass=$wm_class"
