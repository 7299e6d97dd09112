"""Stand-ins for the services that announce a session lock: logind's manager
and session on the bus DBUS_SYSTEM_BUS_ADDRESS names, GNOME's and the
freedesktop ScreenSaver on DBUS_SESSION_BUS_ADDRESS's. Prints "ready" once it
owns every name, then takes commands on standard input: "hint" (LockedHint
becomes true), "lock" (the session's Lock signal), "gnome" and "freedesktop"
(that ScreenSaver's ActiveChanged(true)). Run with the system's python3, which
has python3-gi. Started with --locked, the session is locked from the start."""
import os
import sys

from gi.repository import Gio, GLib

SESSION = "/org/freedesktop/login1/session/c7"
LOGIN1 = """<node>
 <interface name="org.freedesktop.login1.Manager">
  <method name="GetSession"><arg type="s" direction="in"/><arg type="o" direction="out"/></method>
  <method name="GetSessionByPID"><arg type="u" direction="in"/><arg type="o" direction="out"/></method>
 </interface>
 <interface name="org.freedesktop.login1.Session">
  <signal name="Lock"/>
  <property name="LockedHint" type="b" access="read"/>
 </interface>
</node>"""
SCREENSAVER = """<node><interface name="%s">
 <method name="GetActive"><arg type="b" direction="out"/></method>
 <signal name="ActiveChanged"><arg type="b"/></signal>
</interface></node>"""
SAVERS = {"gnome": ("org.gnome.ScreenSaver", "/org/gnome/ScreenSaver"),
          "freedesktop": ("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver")}

state = {"locked": "--locked" in sys.argv}


def connect(variable):
    bus = Gio.DBusConnection.new_for_address_sync(
        os.environ[variable], Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
        Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
    return bus


def own(bus, name):
    bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
                  GLib.Variant("(su)", (name, 4)), None, Gio.DBusCallFlags.NONE, 5000, None)


def login1_call(bus, sender, path, interface, method, params, invocation):
    invocation.return_value(GLib.Variant("(o)", (SESSION,)))


def login1_property(bus, sender, path, interface, name):
    return GLib.Variant("b", state["locked"])


def saver_call(bus, sender, path, interface, method, params, invocation):
    invocation.return_value(GLib.Variant("(b)", (state["locked"],)))


system, session = connect("DBUS_SYSTEM_BUS_ADDRESS"), connect("DBUS_SESSION_BUS_ADDRESS")
info = Gio.DBusNodeInfo.new_for_xml(LOGIN1)
system.register_object("/org/freedesktop/login1", info.interfaces[0], login1_call, None, None)
system.register_object(SESSION, info.interfaces[1], None, login1_property, None)
own(system, "org.freedesktop.login1")
for name, path in SAVERS.values():
    session.register_object(path, Gio.DBusNodeInfo.new_for_xml(SCREENSAVER % name).interfaces[0], saver_call,
                            None, None)
    own(session, name)


def command(channel, condition):
    line = sys.stdin.readline().strip()
    if not line:
        loop.quit()
        return False
    if line == "hint":
        state["locked"] = True
        system.emit_signal(None, SESSION, "org.freedesktop.DBus.Properties", "PropertiesChanged",
                           GLib.Variant("(sa{sv}as)", ("org.freedesktop.login1.Session",
                                                       {"LockedHint": GLib.Variant("b", True)}, [])))
    elif line == "lock":
        system.emit_signal(None, SESSION, "org.freedesktop.login1.Session", "Lock", None)
    elif line in SAVERS:
        name, path = SAVERS[line]
        session.emit_signal(None, path, name, "ActiveChanged", GLib.Variant("(b)", (True,)))
    system.flush_sync(None)
    session.flush_sync(None)
    return True


loop = GLib.MainLoop()
GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()), GLib.IO_IN | GLib.IO_HUP, command)
print("ready", flush=True)
loop.run()
