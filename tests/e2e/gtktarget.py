#!/usr/bin/python3
# A GTK 3 program a user types into while Tapoli writes into the active window: one text field, which
# writes what it holds into the file named on the command line at every change, as typingtarget does.
# GTK counts the lengths given through the accessibility bus in bytes where Qt counts UTF-16 units.
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import GLib, Gtk  # noqa: E402

output = sys.argv[1]
# The application id a Wayland compositor places the window by.
GLib.set_prgname("tapoli-gtk-target")


def write(entry):
    with open(output, "w", encoding="utf-8") as file:
        file.write(entry.get_text())


window = Gtk.Window(title="Cible Tapoli GTK")
window.set_default_size(320, 40)
entry = Gtk.Entry()
entry.connect("changed", write)
window.add(entry)
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
