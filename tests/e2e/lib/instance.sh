# The program's single-instance arbiters as the end-to-end scripts see them (session.sh).
name=io.github.mirevo.Mirevo

one_exited() { ! running "$1" || ! running "$2"; }
bus_name_free() { ! bus_has_owner "$name"; }
# Properties are answered by the program's event loop, unlike Ping.
answers_on_bus() { mirevo_call org.freedesktop.DBus.Properties.Get io.github.mirevo.Mirevo1 Backend; }
# holds_lock [PID]: the lock names PID (any holder without one) and the socket is there.
holds_lock() {
    local folder=$XDG_RUNTIME_DIR/$name
    [ -S "$folder/instance.socket" ] && [[ -z ${1:-} || $(head -n1 "$folder/instance.lock") == "$1" ]]
}
# stop PID: the instance ends and gives up its bus name.
stop() {
    kill "$@"
    wait "${@: -1}" || true
    wait_until 30 bus_name_free || e2e_fail "the name outlived its instance"
}
