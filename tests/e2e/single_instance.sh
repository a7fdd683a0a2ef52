#!/usr/bin/env bash
# One instance per user, and the interface scripts use. With a session bus: gdbus reads
# the properties, sees LanguageChanged and opens the settings; pairs of simultaneous starts
# leave one instance; a start beside a stopped instance fails with a message. Without a
# session bus the lock file arbitrates the same races.
set -euo pipefail
build=${1:?build folder}
source "$(dirname "$0")/lib/desktop.sh"
e2e_start_desktop 1280x800
source_file=$E2E_TMP/input-source
echo "xkb.keylayout.us.English (US)" >"$source_file"
name=io.github.mirevo.Mirevo
object=(--session --dest "$name" --object-path /io/github/mirevo/Mirevo)
# The barrier: held open both ways, so that starts wait for a line, not for a writer.
barrier=$E2E_TMP/barrier
mkfifo "$barrier"
exec 3<>"$barrier"

running() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) && [[ $state != Z* ]]
}
one_exited() { ! running "$1" || ! running "$2"; }

# race ROUNDS STOP_SIGNAL READY...: pairs of starts released together; one must step aside
# (exit 0 after handing over, 1 when the other did not answer in time) and one must run.
race() {
    local rounds=$1 signal=$2 round i status winner loser handed=0 refused=0
    shift 2
    for ((round = 1; round <= rounds; round++)); do
        local pids=()
        for i in 1 2; do
            (read -r _ <"$barrier" && exec "$MIREVO" --input-backend "file:$source_file") \
                >>"$E2E_TMP/race.log" 2>&1 &
            pids+=($!)
        done
        E2E_PIDS+=("${pids[@]}")
        sleep 0.2 # both wait at the barrier
        printf 'go\ngo\n' >&3
        wait_until 20 one_exited "${pids[@]}" || e2e_fail "round $round: two instances run"
        winner=${pids[0]} loser=${pids[1]}
        running "$winner" || { winner=${pids[1]} loser=${pids[0]}; }
        status=0
        wait "$loser" || status=$?
        case $status in
        0) handed=$((handed + 1)) ;;
        1) refused=$((refused + 1)) ;;
        *) e2e_fail "round $round: the second start ended with status $status" ;;
        esac
        wait_until 10 "$@" || e2e_fail "round $round: the instance does not answer"
        [ "$(e2e_instances)" -eq 1 ] || e2e_fail "round $round: $(e2e_instances) instances run"
        kill -"$signal" "$winner"
        wait "$winner" || true
        wait_until 10 bus_name_free || e2e_fail "the name outlived its instance"
    done
    e2e_log "ok: $rounds simultaneous pairs: one instance each; $handed handed over, $refused refused"
}

# frozen_start_fails READY...: beside a stopped instance a start says so and exits 1.
frozen_start_fails() {
    "$MIREVO" --input-backend "file:$source_file" >>"$E2E_TMP/race.log" 2>&1 &
    local first=$! status=0 message
    E2E_PIDS+=($first)
    wait_until 10 "$@" "$first" || e2e_fail "the first instance did not come up"
    kill -STOP "$first"
    message=$(timeout 20 "$MIREVO" --input-backend "file:$source_file" 2>&1) || status=$?
    kill -CONT "$first"
    [ $status -eq 1 ] && grep -q "(process $first) .* did not answer" <<<"$message" ||
        e2e_fail "beside a stopped instance a start ended with $status: $message"
    e2e_log "ok: beside a stopped instance: $message"
    kill "$first"
    wait "$first" || true
    wait_until 10 bus_name_free || e2e_fail "the name outlived its instance"
}

bus_name_free() { ! bus_has_owner "$name"; }
# Properties are answered by the program's event loop, unlike Ping.
answers_on_bus() {
    gdbus call "${object[@]}" --method org.freedesktop.DBus.Properties.Get \
        io.github.mirevo.Mirevo1 Backend
}
settings_closed() { ! xdotool search --onlyvisible --name '^Mirevo Settings$'; }
# holds_lock [PID]: the lock names PID (any holder without one) and the socket is there.
holds_lock() {
    local folder=$XDG_RUNTIME_DIR/$name
    [ -S "$folder/instance.socket" ] && { [ -z "${1:-}" ] || [ "$(head -n1 "$folder/instance.lock")" = "$1" ]; }
}

# The interface, as scripts see it.
e2e_spawn "$MIREVO" --input-backend "file:$source_file"
scripted=${E2E_PIDS[-1]}
wait_until 10 answers_on_bus || e2e_fail "Mirevo did not take $name"
gdbus monitor "${object[@]}" >"$E2E_TMP/monitor.log" 2>&1 &
E2E_PIDS+=($!)
wait_until 5 grep -q "owned by" "$E2E_TMP/monitor.log" || e2e_fail "gdbus monitor did not start"
echo "ibus.inputmethod.anthy.Japanese" >"$source_file"
wait_until 5 grep -qF "LanguageChanged ('japanese', 'ibus.inputmethod.anthy.Japanese')" \
    "$E2E_TMP/monitor.log" || e2e_fail "no LanguageChanged signal: $(cat "$E2E_TMP/monitor.log")"
introspection=$(gdbus introspect "${object[@]}")
for property in "CurrentLanguage = 'japanese'" "CurrentSourceId = 'ibus.inputmethod.anthy.Japanese'" \
    "Backend = 'file'"; do
    grep -qF "readonly s $property;" <<<"$introspection" || e2e_fail "introspection lacks $property"
done
gdbus call "${object[@]}" --method io.github.mirevo.Mirevo1.ShowSettings about >/dev/null
e2e_wait_for_settings 5 || e2e_fail "ShowSettings did not open the settings window"
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^Mirevo Settings$')" \
    key --clearmodifiers alt+F4
wait_until 5 settings_closed || e2e_fail "the settings window stays open"
gdbus call "${object[@]}" --method org.freedesktop.Application.Activate {} >/dev/null
e2e_wait_for_settings 5 || e2e_fail "Activate did not open the settings window"
refusal=$(gdbus call "${object[@]}" --method io.github.mirevo.Mirevo1.ShowSettings nonsense 2>&1) &&
    e2e_fail "ShowSettings accepted a tab that does not exist"
grep -q InvalidArgs <<<"$refusal" || e2e_fail "ShowSettings refused a tab with: $refusal"
kill "$scripted"
wait_until 10 bus_name_free || e2e_fail "the name outlived its instance"
e2e_log "ok: properties, LanguageChanged, ShowSettings and Activate over the session bus"

echo "xkb.keylayout.us.English (US)" >"$source_file"
race 20 TERM answers_on_bus
frozen_start_fails answers_on_bus

# Without a session bus. A killed instance leaves its lock and socket behind.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/no-bus
race 20 KILL holds_lock
frozen_start_fails holds_lock
echo "single instance: all checks passed"
