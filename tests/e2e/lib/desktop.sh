# Sourced by end-to-end tests and benchmarks: a private X desktop (Xvfb, openbox, a session
# bus) that is torn down on exit. Every process started here is stopped by its pid.
#   e2e_start_desktop [WIDTHxHEIGHT]   X server + window manager + session bus + temp HOME
#   e2e_start_compositor               xcompmgr, for translucent windows
#   e2e_start_tray                     a tray host (trayer)
#   e2e_spawn CMD...                   runs CMD in the background, stopped at exit
#   e2e_wait_for_window NAME SECONDS   waits until a window of that WM_CLASS is mapped

E2E_PIDS=()
E2E_TMP=$(mktemp -d /tmp/mirevo-e2e.XXXXXX)

e2e_cleanup() {
    local pid
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${E2E_PIDS[i]}
        kill "$pid" 2>/dev/null || true
    done
    sleep 0.2
    for pid in "${E2E_PIDS[@]}"; do
        kill -9 "$pid" 2>/dev/null || true
    done
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

e2e_spawn() {
    "$@" >>"$E2E_TMP/spawned.log" 2>&1 &
    E2E_PIDS+=($!)
}

e2e_start_desktop() {
    local size=${1:-1920x1080}
    local fifo="$E2E_TMP/displayfd"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -noreset -nolisten tcp 3>"$fifo" \
        >>"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    local number
    read -r -t 10 number <"$fifo" || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$number"

    export HOME="$E2E_TMP/home"
    export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM

    local bus
    bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 --nopidfile)
    export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus")
    E2E_PIDS+=("$(sed -n 2p <<<"$bus")")

    e2e_spawn openbox --sm-disable
    e2e_wait_for_property _NET_SUPPORTING_WM_CHECK 10
}

e2e_start_compositor() {
    e2e_spawn xcompmgr -n
    sleep 0.5 # xcompmgr takes the _NET_WM_CM_S0 selection right after it starts
}

e2e_start_tray() {
    e2e_spawn trayer --edge bottom --align right --width 10 --height 24
    sleep 0.5
}

e2e_wait_for_property() {
    local name=$1 seconds=$2 i
    for ((i = 0; i < seconds * 20; i++)); do
        xprop -root "$name" 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.05
    done
    echo "root property $name did not appear" >&2
    return 1
}

e2e_wait_for_window() {
    local name=$1 seconds=$2 i
    for ((i = 0; i < seconds * 20; i++)); do
        xdotool search --onlyvisible --classname "$name" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "no visible window of class $name" >&2
    return 1
}
