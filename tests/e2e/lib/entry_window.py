#!/usr/bin/python3
# entry_window.py TITLE [password]: a GTK window whose only field is a text entry, or one
# for a password (an entry with the password purpose, which GTK passes on to IBus and IBus
# to GNOME Shell; GTK 3 does not pass on hidden-text entries). Run with GTK_IM_MODULE=ibus.
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import Gtk  # noqa: E402

window = Gtk.Window(title=sys.argv[1])
entry = Gtk.Entry()
if sys.argv[2:] == ["password"]:
    entry.set_input_purpose(Gtk.InputPurpose.PASSWORD)
window.add(entry)
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
