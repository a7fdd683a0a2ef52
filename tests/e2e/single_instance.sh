#!/usr/bin/env bash
# One instance per user: a second start opens the settings; the D-Bus interface; a start
# beside a name holder that answers with an error names it. Also: default settings written,
# floating windows out of the taskbar. Races: single_instance_race.sh.
set -euo pipefail
source "$(dirname "$0")/lib/desktop.sh"
e2e_start_desktop 1280x800
source "$(dirname "$0")/lib/instance.sh"
settings_closed() { ! settings_open; }
# Alt+F4, again while the settings stay open (a busy window manager may not have had it active).
close_settings() {
    local attempt window
    for attempt in 1 2 3; do
        window=$(settings_open) || return 0
        timeout 20 xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4 || true
        wait_until 20 settings_closed && return 0
    done
    e2e_fail "the settings window stays open"
}

start_mirevo file
first=${E2E_PIDS[-1]}
expect_window 100 100 24 548
wait_until 30 answers_on_bus || e2e_fail "Mirevo did not take $name"
# Every floating window is on all desktops and out of the taskbar and pager.
for window in $(xdotool search --onlyvisible --classname mirevo); do
    hints=$(xprop -id "$window" _NET_WM_STATE _NET_WM_DESKTOP)
    grep -q SKIP_TASKBAR <<<"$hints" && grep -q SKIP_PAGER <<<"$hints" &&
        grep -q '_NET_WM_DESKTOP(CARDINAL) = 4294967295' <<<"$hints" ||
        e2e_fail "window $window is in the taskbar or pager, or not on all desktops: $hints"
done
grep -q '"indicatorSize": 100' "$XDG_CONFIG_HOME/Mirevo/app_settings.json" ||
    e2e_fail "no default settings file in the configuration folder"
# A second start asks the first one to open its settings, and exits.
timeout 60 "$MIREVO" --input-backend "file:$E2E_SOURCE" || e2e_fail "second start: status $?"
[ "$(e2e_instances)" -eq 1 ] || e2e_fail "$(e2e_instances) instances run"
wait_until 30 settings_open || e2e_fail "a second start did not open the settings"
close_settings

# The interface, as scripts see it (LanguageChanged: e2e_ibus_modes.sh).
set_source "ibus.inputmethod.anthy.Japanese"
wait_until 30 current_is ibus.inputmethod.anthy.Japanese || e2e_fail "Mirevo shows $(mirevo_current)"
introspection=$(gdbus introspect --session --dest "$name" --object-path /io/github/mirevo/Mirevo)
for property in "CurrentLanguage = 'japanese'" "CurrentSourceId = 'ibus.inputmethod.anthy.Japanese'" \
    "Backend = 'file'"; do
    grep -qF "readonly s $property;" <<<"$introspection" || e2e_fail "introspection lacks $property"
done
mirevo_call io.github.mirevo.Mirevo1.ShowSettings about >/dev/null
wait_until 30 settings_open || e2e_fail "ShowSettings did not open the settings window"
close_settings
mirevo_call org.freedesktop.Application.Activate {} >/dev/null
wait_until 30 settings_open || e2e_fail "Activate did not open the settings window"
refusal=$(mirevo_call io.github.mirevo.Mirevo1.ShowSettings nonsense 2>&1) &&
    e2e_fail "ShowSettings accepted a tab that does not exist"
grep -q InvalidArgs <<<"$refusal" || e2e_fail "ShowSettings refused a tab with: $refusal"
stop "$first"
set_source "xkb.keylayout.us.English (US)"

# A name holder answering with an error, as a Mirevo shutting down: a start names the error
# at once instead of waiting out the 5 s.
e2e_spawn "$MIREVO_TOOLS/bus_name_holder" "$name"
wait_until 30 bus_has_owner "$name" || e2e_fail "bus_name_holder did not take $name"
status=0
message=$(timeout 60 "$MIREVO" --input-backend "file:$E2E_SOURCE" 2>&1) || status=$?
[ $status -eq 1 ] && grep -q "org.freedesktop.DBus.Error.UnknownObject" <<<"$message" &&
    ! grep -q "did not answer" <<<"$message" ||
    e2e_fail "beside a holder answering with an error a start ended with $status: $message"
stop "${E2E_PIDS[-1]}"
