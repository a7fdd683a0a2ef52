#!/usr/bin/env bash
# The Debian package: lintian-clean, desktop entry, metainfo and man page valid, one
# version, real dependencies, fonts recommended, the binary runs. The program has the entry's
# window class and writes a valid autostart entry that is skipped once it is gone.
set -euo pipefail
source "$(dirname "$0")/lib/desktop.sh"
build=$(dirname "$MIREVO")

# Making the package and linting it take most of the time: the desktop part runs meanwhile.
(cd "$build" && cpack -G DEB -B "$E2E_TMP/pkg") >"$E2E_TMP/cpack.log" 2>&1 &
cpack_pid=$!
E2E_PIDS+=("$cpack_pid")

e2e_start_desktop
start_mirevo file
expect_window 100 100 24 828
window=$(sized_window 100 100 | cut -d' ' -f3)
wm_class=$(sed -n 's/^StartupWMClass=//p' "$build"/*.desktop)
xprop -id "$window" WM_CLASS | grep -q ", \"$wm_class\"$" ||
    e2e_fail "window class $(xprop -id "$window" WM_CLASS) does not match StartupWMClass=$wm_class"
# "Start Mirevo at login" (Alt+L on the About page), as the user ticks it.
mirevo_call io.github.mirevo.Mirevo1.ShowSettings about >/dev/null
wait_until 20 settings_open || e2e_fail "the settings window did not open"
xdotool windowactivate --sync "$(settings_open | head -1)" key alt+l
autostart=$XDG_CONFIG_HOME/autostart/io.github.mirevo.Mirevo.desktop
wait_until 5 test -f "$autostart" || e2e_fail "no autostart entry after Alt+L on the About page"
desktop-file-validate "$autostart" || e2e_fail "the autostart entry does not validate"
grep -qxF "TryExec=$MIREVO" "$autostart" ||
    e2e_fail "the autostart entry does not try the program: $(cat "$autostart")"
"$MIREVO" --quit || e2e_fail "mirevo --quit failed"

wait "$cpack_pid" || e2e_fail "cpack failed: $(cat "$E2E_TMP/cpack.log")"
deb=$(echo "$E2E_TMP"/pkg/*.deb)
lintian --fail-on error,warning --display-info "$deb" >"$E2E_TMP/lintian.log" 2>&1 &
lintian_pid=$!
E2E_PIDS+=("$lintian_pid")

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libicu72 qt6-qpa-plugins; do
    grep -qw "$needed" <<<"$depends" || e2e_fail "the package does not depend on $needed: $depends"
done
for package in $(sed -E 's/\([^)]*\)//g; s/[,|]/ /g' <<<"$depends"); do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        e2e_fail "dependency $package is not an installed package"
done
# Fonts are large and only make the default texts look as designed: recommended.
recommends=$(dpkg-deb -f "$deb" Recommends)
for font in fonts-noto-core fonts-noto-cjk; do
    grep -qw "$font" <<<"$recommends" || e2e_fail "$font is not recommended: $recommends"
    ! grep -qw "$font" <<<"$depends" || e2e_fail "$font is a hard dependency: $depends"
done

root=$E2E_TMP/root
dpkg -x "$deb" "$root"
appstreamcli validate-tree --no-net "$root" >"$E2E_TMP/appstream.log" 2>&1 ||
    e2e_fail "appstream: $(cat "$E2E_TMP/appstream.log")"
desktop=$(echo "$root"/usr/share/applications/*.desktop)
desktop-file-validate "$desktop" || e2e_fail "desktop entry does not validate"
grep -qx 'TryExec=mirevo' "$desktop" || e2e_fail "the desktop entry has no TryExec"
warnings=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/mirevo.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || e2e_fail "man page: $warnings"

# One version: the program's, the package's, the metainfo's latest release, the changelog's.
program=$("$root/usr/bin/mirevo" --version) || e2e_fail "the packaged program does not run: $program"
zcat "$root/usr/share/doc/mirevo/changelog.gz" >"$E2E_TMP/changelog"
for version in "$(dpkg-deb -f "$deb" Version)" \
    "$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$root"/usr/share/metainfo/*.xml | head -1)" \
    "$(dpkg-parsechangelog -l "$E2E_TMP/changelog" -S Version)"; do
    [ "mirevo $version" = "$program" ] || e2e_fail "version $version is not the program's ($program)"
done
wait "$lintian_pid" || e2e_fail "lintian: $(cat "$E2E_TMP/lintian.log")"
