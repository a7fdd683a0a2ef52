#!/usr/bin/env bash
# A save past the file-size limit fails like a full disk instead of killing the program; an
# unreadable file in the earlier data folder moves and is kept aside (run as nobody).
set -euo pipefail
source "$(dirname "$0")/lib/session.sh"
e2e_init
export QT_QPA_PLATFORM=offscreen DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/no-bus

# runs_for SECONDS CMD...: CMD is still running when timeout stops it.
runs_for() {
    local status=0
    timeout "$1" "${@:2}" >>"$E2E_TMP/mirevo.log" 2>&1 || status=$?
    [ $status -eq 124 ]
}

# The first start writes the defaults, about 10 KB: past a 4 KB limit that save fails.
(ulimit -f 4 && runs_for 2 "$MIREVO" --input-backend "file:$E2E_SOURCE") ||
    e2e_fail "a save past the file-size limit ended the program"

# A settings file its owner may write but not read (mode 200), in nobody's home.
home=$E2E_TMP/nobody
mkdir -p "$home/data/Mirevo" "$home/runtime"
echo '{"clock": "whatever the user had"}' | tee "$E2E_TMP/original" >"$home/data/Mirevo/app_settings.json"
chmod 200 "$home/data/Mirevo/app_settings.json"
chmod 700 "$home/runtime"
chmod 711 "$E2E_TMP"
chown -R nobody:nogroup "$home"
setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
    XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/runtime" \
    bash -c "$(declare -f runs_for); E2E_TMP=$home runs_for 2 '$MIREVO' --input-backend 'file:$E2E_SOURCE'" ||
    e2e_fail "the program did not run as nobody"
cmp -s "$E2E_TMP/original" "$home/config/Mirevo/app_settings.json.invalid" ||
    e2e_fail "the unreadable settings file was not moved and kept aside in the configuration folder"
