#!/usr/bin/env bash
# A save past the file-size limit fails like a full disk, not killing the program; an
# unreadable file in the earlier data folder moves and is kept aside (as nobody); a move
# killed between its copy and the old file's removal leaves a whole file for the next start.
set -euo pipefail
source "$(dirname "$0")/lib/session.sh"
e2e_init
export QT_QPA_PLATFORM=offscreen DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/no-bus
other_fs=$(mktemp -d /dev/shm/mirevo-e2e.XXXXXX)
trap 'status=$?; rm -rf "$other_fs"; (exit $status); e2e_cleanup' EXIT

# serves: Mirevo takes the instance lock, reaches its event loop (a later start hands over
# to it) and still runs then; it is stopped afterwards.
holds_lock() { [ "$(head -n1 "$XDG_RUNTIME_DIR"/*/instance.lock)" = "$1" ]; }
serves() {
  "$MIREVO" --input-backend "file:$E2E_SOURCE" >>"$E2E_TMP/mirevo.log" 2>&1 &
  local first=$! status=0
  E2E_PIDS+=($first)
  wait_until 60 holds_lock "$first" &&
    wait_until 60 timeout 30 "$MIREVO" --input-backend "file:$E2E_SOURCE" &&
    kill -0 "$first" 2>/dev/null || status=1
  kill "$first" 2>/dev/null || true
  wait "$first" 2>/dev/null || true
  return $status
}

# The first start writes the defaults, about 10 KB: past a 4 KB limit that save fails.
(ulimit -f 4 && serves) || e2e_fail "a save past the file-size limit ended the program"

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
  XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/runtime" E2E_TMP="$home" \
  bash -c "$(declare -f wait_until holds_lock serves); serves" ||
  e2e_fail "the program did not run as nobody"
cmp -s "$E2E_TMP/original" "$home/config/Mirevo/app_settings.json.invalid" ||
  e2e_fail "the unreadable settings file was not moved and kept aside in the configuration folder"

# The earlier folder on another file system, so that the move copies. strace kills the
# program with SIGKILL when it removes the old file, which it does only after the copy.
[ "$(stat -c %d "$other_fs")" != "$(stat -c %d "$E2E_TMP")" ] ||
  e2e_fail "/dev/shm is not a file system of its own here"
old=$other_fs/Mirevo/app_settings.json new=$E2E_TMP/config/Mirevo/app_settings.json
mkdir -p "$other_fs/Mirevo"
"$MIREVO_TOOLS/settings-defaults" | sed 's/"indicatorSize": 100/"indicatorSize": 77/' >"$E2E_TMP/user.json"
cp "$E2E_TMP/user.json" "$old"
status=0
XDG_DATA_HOME=$other_fs XDG_CONFIG_HOME=$E2E_TMP/config strace -f -qq -o /dev/null -P "$old" \
  -e trace=unlink,unlinkat -e inject=unlink,unlinkat:signal=KILL \
  "$MIREVO" --input-backend "file:$E2E_SOURCE" >>"$E2E_TMP/mirevo.log" 2>&1 || status=$?
[ $status -eq 137 ] || e2e_fail "the move was not killed at the removal (status $status)"
cmp -s "$E2E_TMP/user.json" "$old" && cmp -s "$E2E_TMP/user.json" "$new" ||
  e2e_fail "after the kill the settings are not whole in both places"
# The next start decodes the copy: it neither writes defaults over it nor keeps it aside.
XDG_DATA_HOME=$other_fs XDG_CONFIG_HOME=$E2E_TMP/config serves ||
  e2e_fail "the start after the killed move did not run"
cmp -s "$E2E_TMP/user.json" "$new" && [ ! -e "$new.invalid" ] ||
  e2e_fail "the start after the killed move did not keep the user's settings: $(cat "$E2E_TMP/mirevo.log")"
