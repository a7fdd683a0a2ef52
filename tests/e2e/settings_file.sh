#!/usr/bin/env bash
# The real program's settings file at start-up, offscreen: a file its user cannot read,
# left in the data folder where earlier versions kept it, moves to the configuration
# folder and is kept aside there (run as another user, since root reads everything), and
# a save past the file-size limit fails like a full disk instead of killing the program.
set -euo pipefail
source "$(dirname "$0")/lib/session.sh"
e2e_init
export QT_QPA_PLATFORM=offscreen DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/no-bus
source_file=$E2E_TMP/input-source
echo "xkb.keylayout.us.English (US)" >"$source_file"

# runs_for SECONDS CMD...: CMD is still running when timeout stops it.
runs_for() {
    local status=0
    timeout "$1" "${@:2}" >>"$E2E_TMP/mirevo.log" 2>&1 || status=$?
    [ $status -eq 124 ]
}

# The first start writes the defaults, about 10 KB: past a 4 KB limit that save fails.
(ulimit -f 4 && runs_for 2 "$MIREVO" --input-backend "file:$source_file") ||
    e2e_fail "a save past the file-size limit ended the program"
e2e_log "ok: a save past the file-size limit leaves the program running"

# A settings file its owner may write but not read (mode 200), in nobody's home.
home=$E2E_TMP/nobody
settings=$home/data/Mirevo/app_settings.json # where earlier versions kept it
chmod 711 "$E2E_TMP"
mkdir -p "$home/data/Mirevo" "$home/runtime"
echo '{"clock": "whatever the user had"}' >"$settings"
cp "$settings" "$E2E_TMP/original"
chmod 200 "$settings"
chmod 700 "$home/runtime"
chown -R nobody:nogroup "$home"
setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
    XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/runtime" \
    bash -c "$(declare -f runs_for); E2E_TMP=$home runs_for 2 '$MIREVO' --input-backend 'file:$source_file'" ||
    e2e_fail "the program did not run as nobody"
# It moves to the configuration folder, where the program keeps it aside.
moved=$home/config/Mirevo/app_settings.json
cmp -s "$E2E_TMP/original" "$moved.invalid" ||
    e2e_fail "the unreadable settings file was not moved and kept aside as $moved.invalid"
e2e_log "ok: an unreadable settings file moves over and is kept aside"
echo "settings file: all checks passed"
