# A private X desktop for end-to-end tests, benchmarks and the headless demo: Xvfb, openbox
# and a session bus, with a private HOME, all stopped by process id on exit (session.sh).
#   e2e_start_desktop [WIDTHxHEIGHT]   X server (1920x1080 unless given) + bus + openbox
#   e2e_start_compositor               xcompmgr, for translucent windows
#   e2e_start_tray                     a tray host (trayer)
#   e2e_spawn CMD...                   runs CMD in the background, stopped at exit
#   expect_window W H X Y              waits for a visible W x H window of Mirevo whose
#                                      top-left corner is (X, Y)
#   e2e_wait_for_settings SECONDS      waits until Mirevo's settings window is mapped
#   e2e_instances                      prints how many Mirevo processes run on this desktop
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
e2e_init

e2e_spawn() {
    "$@" >>"$E2E_TMP/spawned.log" 2>&1 &
    E2E_PIDS+=($!)
}

e2e_start_desktop() {
    start_xvfb "${1:-1920x1080}"
    local bus
    bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 --nopidfile)
    export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus")
    E2E_PIDS+=("$(sed -n 2p <<<"$bus")")
    e2e_spawn openbox --sm-disable
    wait_until 10 window_manager_runs || e2e_fail "openbox did not start"
}
window_manager_runs() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

e2e_start_compositor() {
    e2e_spawn xcompmgr -n
    sleep 0.5 # xcompmgr takes the _NET_WM_CM_S0 selection right after it starts
}

e2e_start_tray() {
    e2e_spawn trayer --edge bottom --align right --width 10 --height 24
    sleep 0.5
}

# sized_window W H: "X Y ID" of a visible W x H window of Mirevo (its top-left corner).
sized_window() {
    local id
    for id in $(xdotool search --onlyvisible --classname mirevo); do
        xwininfo -id "$id" | awk -v id="$id" -v w="$1" -v h="$2" '/Absolute upper-left X/ { x = $NF }
            /Absolute upper-left Y/ { y = $NF } /Width:/ { ww = $NF } /Height:/ { hh = $NF }
            END { if (ww == w && hh == h) print x, y, id; exit ww != w || hh != h }' && return
    done
    return 1
}
window_at() { [[ $(sized_window "$1" "$2") == "$3 $4 "* ]]; }
expect_window() {
    wait_until 20 window_at "$@" || e2e_fail "no $1x$2 window of Mirevo at ($3, $4): $(sized_window "$1" "$2")"
}

e2e_wait_for_settings() {
    wait_until "$1" xdotool search --onlyvisible --name '^Mirevo Settings$'
}

# Only this desktop's processes count: other tests may run programs of the same name.
e2e_instances() {
    local pid count=0
    for pid in $(pgrep -x mirevo); do
        grep -qxz "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" "/proc/$pid/environ" 2>/dev/null &&
            count=$((count + 1))
    done
    echo $count
}
