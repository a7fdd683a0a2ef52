#!/usr/bin/env bash
# Simultaneous starts leave one instance, with or without a session bus (then the lock file
# decides); a start beside a stopped instance fails and says so. No desktop: who wins is
# decided before any window, and a busy machine starts the program sooner without one.
set -euo pipefail
source "$(dirname "$0")/lib/session.sh"
source "$(dirname "$0")/lib/instance.sh"
e2e_init
export QT_QPA_PLATFORM=offscreen
start_session_bus

# race ROUNDS STOP_SIGNAL READY...: pairs of starts released together at a barrier (a FIFO
# held open both ways, so that starts wait for a line, not for a writer); one must step
# aside (exit 0 after handing over, 1 when the other did not answer in time), one must run.
barrier=$E2E_TMP/barrier
mkfifo "$barrier"
exec 3<>"$barrier"
both_at_barrier() { [ "$(wc -l <"$E2E_TMP/at-barrier")" -eq 2 ]; }
race() {
    local round i status winner loser
    for ((round = 1; round <= $1; round++)); do
        local pids=()
        : >"$E2E_TMP/at-barrier"
        for i in 1 2; do
            (echo >>"$E2E_TMP/at-barrier" && read -r _ <"$barrier" &&
                exec "$MIREVO" --input-backend "file:$E2E_SOURCE") \
                >>"$E2E_TMP/race.log" 2>&1 &
            pids+=($!)
        done
        E2E_PIDS+=("${pids[@]}")
        wait_until 30 both_at_barrier || e2e_fail "round $round: the starts did not reach the barrier"
        printf 'go\ngo\n' >&3
        wait_until 60 one_exited "${pids[@]}" || e2e_fail "round $round: two instances run"
        winner=${pids[0]} loser=${pids[1]}
        running "$winner" || winner=${pids[1]} loser=${pids[0]}
        status=0
        wait "$loser" || status=$?
        ((status <= 1)) || e2e_fail "round $round: the second start ended with status $status"
        wait_until 30 "${@:3}" || e2e_fail "round $round: the instance does not answer"
        [ "$(e2e_instances)" -eq 1 ] || e2e_fail "round $round: $(e2e_instances) instances run"
        stop -"$2" "$winner"
    done
}

# frozen_start_fails READY...: beside a stopped instance a start says so and exits 1.
frozen_start_fails() {
    start_mirevo file
    local first=${E2E_PIDS[-1]} status=0 message
    wait_until 30 "$@" "$first" || e2e_fail "the first instance did not come up"
    kill -STOP "$first"
    message=$(timeout 60 "$MIREVO" --input-backend "file:$E2E_SOURCE" 2>&1) || status=$?
    kill -CONT "$first"
    [ $status -eq 1 ] && grep -q "(process $first) .* did not answer" <<<"$message" ||
        e2e_fail "beside a stopped instance a start ended with $status: $message"
    stop "$first"
}

race 3 TERM answers_on_bus
frozen_start_fails answers_on_bus
# Without a session bus. A killed instance leaves its lock and socket behind.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/no-bus
race 3 KILL holds_lock
frozen_start_fails holds_lock
