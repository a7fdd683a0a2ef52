# A private X desktop for end-to-end tests, benchmarks and the headless demo: Xvfb, openbox
# and a session bus, with a private HOME, all stopped by process id on exit (session.sh).
#   e2e_start_desktop [WIDTHxHEIGHT]   X server (1920x1080 unless given) + bus + openbox
#   e2e_start_compositor               xcompmgr, for translucent windows
#   e2e_start_tray                     a tray host (trayer)
#   e2e_spawn CMD...                   runs CMD in the background, stopped at exit
#   e2e_wait_for_window NAME SECONDS   waits until a window of that WM_CLASS is mapped
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
    wait_until 10 root_has_property _NET_SUPPORTING_WM_CHECK || e2e_fail "openbox did not start"
}

e2e_start_compositor() {
    e2e_spawn xcompmgr -n
    sleep 0.5 # xcompmgr takes the _NET_WM_CM_S0 selection right after it starts
}

e2e_start_tray() {
    e2e_spawn trayer --edge bottom --align right --width 10 --height 24
    sleep 0.5
}

root_has_property() {
    xprop -root "$1" 2>/dev/null | grep -q 'window id'
}

e2e_wait_for_window() {
    wait_until "$2" xdotool search --onlyvisible --classname "$1" ||
        { echo "no visible window of class $1" >&2; return 1; }
}

e2e_wait_for_settings() {
    wait_until "$1" xdotool search --onlyvisible --name '^Mirevo Settings$' ||
        { echo "no settings window" >&2; return 1; }
}

# Only this desktop's processes count: other tests may run programs of the same name.
e2e_instances() {
    local pid count=0
    for pid in $(pgrep -x mirevo); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" &&
            count=$((count + 1))
    done
    echo $count
}
