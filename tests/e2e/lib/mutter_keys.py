#!/usr/bin/python3
# mutter_keys.py [back]: a user's input-source switch on GNOME Wayland: Super+Space (or
# Super+Shift+Space) pressed through mutter's RemoteDesktop interface (Wayland has no XTEST
# for the compositor's own key bindings).
import sys
import time

from gi.repository import Gio, GLib

SUPER, SHIFT, SPACE = 0xFFEB, 0xFFE1, 0x20
bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(path, interface, method, arguments=None):
    return bus.call_sync("org.gnome.Mutter.RemoteDesktop", path, interface, method, arguments,
                         None, Gio.DBusCallFlags.NONE, 5000, None)


session = call("/org/gnome/Mutter/RemoteDesktop", "org.gnome.Mutter.RemoteDesktop",
               "CreateSession").unpack()[0]
interface = "org.gnome.Mutter.RemoteDesktop.Session"
call(session, interface, "Start")


def key(keysym, pressed):
    call(session, interface, "NotifyKeyboardKeysym", GLib.Variant("(ub)", (keysym, pressed)))
    time.sleep(0.2)


modifiers = [SUPER, SHIFT] if sys.argv[1:] == ["back"] else [SUPER]
for modifier in modifiers:
    key(modifier, True)
key(SPACE, True)
key(SPACE, False)
for modifier in reversed(modifiers):
    key(modifier, False)
call(session, interface, "Stop")
