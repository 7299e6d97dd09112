#include "platform/platform.h"

#include <gio/gio.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <sys/stat.h>
#include <unistd.h>

// Desktops announce a lock on D-Bus: logind's session (GNOME Shell and KDE's
// locker set LockedHint; loginctl lock-session and swayidle's lock event send
// Lock) and the ScreenSaver services of the session bus. The saver must be
// gone by then, so that the user who unlocks sees the desktop and not stars
// waiting for a second key. GDBus reads its connections on a thread of its
// own; a filter there only raises the stop flag, so the frame loop pays one
// flag test and nothing else.

namespace {

const char login1[] = "org.freedesktop.login1";
const char sessionInterface[] = "org.freedesktop.login1.Session";
const char propertiesInterface[] = "org.freedesktop.DBus.Properties";
// A service that does not answer within this is taken as absent.
const gint callTimeoutMs = 1000;

struct ScreenSaverService {
    const char* name;
    const char* path;
};
const ScreenSaverService screenSavers[] = {{"org.gnome.ScreenSaver", "/org/gnome/ScreenSaver"},
                                           {"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver"}};

GDBusConnection* systemBus = nullptr;
GDBusConnection* sessionBus = nullptr;
gchar* sessionPath = nullptr;

bool isScreenSaverInterface(const char* interface)
{
    for (const ScreenSaverService& service : screenSavers)
        if (std::strcmp(interface, service.name) == 0)
            return true;
    return false;
}

bool lockedHintIn(GVariant* changed)
{
    gboolean locked = FALSE;
    return g_variant_lookup(changed, "LockedHint", "b", &locked) && locked;
}

// On GDBus's thread. The bus routes only the signals matched below.
bool announcesLock(GDBusMessage* message)
{
    if (g_dbus_message_get_message_type(message) != G_DBUS_MESSAGE_TYPE_SIGNAL)
        return false;
    const char* interface = g_dbus_message_get_interface(message);
    const char* member = g_dbus_message_get_member(message);
    const char* path = g_dbus_message_get_path(message);
    GVariant* body = g_dbus_message_get_body(message);
    if (!interface || !member || !path)
        return false;
    if (isScreenSaverInterface(interface)) {
        gboolean active = FALSE;
        if (std::strcmp(member, "ActiveChanged") == 0 && body && g_variant_is_of_type(body, G_VARIANT_TYPE("(b)")))
            g_variant_get(body, "(b)", &active);
        return active;
    }
    if (!sessionPath || std::strcmp(path, sessionPath) != 0)
        return false;
    if (std::strcmp(interface, sessionInterface) == 0)
        return std::strcmp(member, "Lock") == 0;
    if (std::strcmp(interface, propertiesInterface) != 0 || std::strcmp(member, "PropertiesChanged") != 0 || !body ||
        !g_variant_is_of_type(body, G_VARIANT_TYPE("(sa{sv}as)")))
        return false;
    const char* changedInterface = nullptr;
    GVariant* changed = nullptr;
    g_variant_get(body, "(&s@a{sv}@as)", &changedInterface, &changed, nullptr);
    const bool locked = std::strcmp(changedInterface, sessionInterface) == 0 && lockedHintIn(changed);
    g_variant_unref(changed);
    return locked;
}

GDBusMessage* watchMessage(GDBusConnection*, GDBusMessage* message, gboolean incoming, gpointer)
{
    if (incoming && announcesLock(message))
        requestStop();
    return message;
}

GVariant* call(GDBusConnection* bus, const char* name, const char* path, const char* interface, const char* method,
               GVariant* parameters, const char* reply)
{
    return g_dbus_connection_call_sync(bus, name, path, interface, method, parameters, G_VARIANT_TYPE(reply),
                                       G_DBUS_CALL_FLAGS_NO_AUTO_START, callTimeoutMs, nullptr, nullptr);
}

void addMatch(GDBusConnection* bus, const char* rule)
{
    if (GVariant* reply = call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "AddMatch",
                               g_variant_new("(s)", rule), "()"))
        g_variant_unref(reply);
}

// A private connection to the bus at ADDRESS (taken), or null; a bus that
// goes away later must not end the saver as GDBus's shared ones would.
GDBusConnection* connectTo(gchar* address)
{
    GDBusConnection* bus = address ? g_dbus_connection_new_for_address_sync(
                                         address,
                                         static_cast<GDBusConnectionFlags>(
                                             G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                             G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                                         nullptr, nullptr, nullptr)
                                   : nullptr;
    g_free(address);
    if (bus)
        g_dbus_connection_set_exit_on_close(bus, FALSE);
    return bus;
}

// The session bus where one runs, else null: an autolaunched one would start
// a bus daemon that outlives the saver.
gchar* sessionBusAddress()
{
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && *address)
        return g_strdup(address);
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime)
        return nullptr;
    gchar* path = g_build_filename(runtime, "bus", nullptr);
    struct stat socketState;
    gchar* found = stat(path, &socketState) == 0 && S_ISSOCK(socketState.st_mode)
                       ? g_strconcat("unix:path=", path, nullptr)
                       : nullptr;
    g_free(path);
    return found;
}

// The session as logind documents finding it: the one XDG_SESSION_ID names,
// else the caller's, else the user's display session.
gchar* findSession(GDBusConnection* bus)
{
    const char* id = std::getenv("XDG_SESSION_ID");
    GVariant* reply = nullptr;
    if (id && *id)
        reply = call(bus, login1, "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "GetSession",
                     g_variant_new("(s)", id), "(o)");
    if (!reply)
        reply = call(bus, login1, "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "GetSessionByPID",
                     g_variant_new("(u)", static_cast<guint32>(getpid())), "(o)");
    gchar* path = nullptr;
    if (reply) {
        g_variant_get(reply, "(o)", &path);
        g_variant_unref(reply);
        return path;
    }
    reply = call(bus, login1, "/org/freedesktop/login1/user/self", propertiesInterface, "Get",
                 g_variant_new("(ss)", "org.freedesktop.login1.User", "Display"), "(v)");
    if (!reply)
        return nullptr;
    GVariant* display = nullptr;
    g_variant_get(reply, "(v)", &display);
    if (g_variant_is_of_type(display, G_VARIANT_TYPE("(so)"))) {
        g_variant_get(display, "(so)", nullptr, &path);
        if (std::strcmp(path, "/") == 0) // no display session
            g_clear_pointer(&path, g_free);
    }
    g_variant_unref(display);
    g_variant_unref(reply);
    return path;
}

bool sessionLocked(GDBusConnection* bus)
{
    GVariant* reply = call(bus, login1, sessionPath, propertiesInterface, "Get",
                           g_variant_new("(ss)", sessionInterface, "LockedHint"), "(v)");
    if (!reply)
        return false;
    GVariant* value = nullptr;
    g_variant_get(reply, "(v)", &value);
    const bool locked = g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN) && g_variant_get_boolean(value);
    g_variant_unref(value);
    g_variant_unref(reply);
    return locked;
}

bool screenSaverActive(GDBusConnection* bus, const ScreenSaverService& service)
{
    GVariant* reply = call(bus, service.name, service.path, service.name, "GetActive", nullptr, "(b)");
    if (!reply)
        return false;
    gboolean active = FALSE;
    g_variant_get(reply, "(b)", &active);
    g_variant_unref(reply);
    return active;
}

// Matched and filtered before the state is asked, so no lock falls between.
bool watchLogind()
{
    systemBus = connectTo(g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SYSTEM, nullptr, nullptr));
    if (!systemBus)
        return false;
    sessionPath = findSession(systemBus);
    if (!sessionPath)
        return false;
    g_dbus_connection_add_filter(systemBus, watchMessage, nullptr, nullptr);
    for (const char* member : {"member='Lock',interface='org.freedesktop.login1.Session'",
                               "member='PropertiesChanged',interface='org.freedesktop.DBus.Properties'"}) {
        gchar* rule = g_strdup_printf("type='signal',sender='%s',path='%s',%s", login1, sessionPath, member);
        addMatch(systemBus, rule);
        g_free(rule);
    }
    return sessionLocked(systemBus);
}

bool watchScreenSavers()
{
    sessionBus = connectTo(sessionBusAddress());
    if (!sessionBus)
        return false;
    g_dbus_connection_add_filter(sessionBus, watchMessage, nullptr, nullptr);
    bool active = false;
    for (const ScreenSaverService& service : screenSavers) {
        gchar* rule = g_strdup_printf("type='signal',sender='%s',interface='%s',member='ActiveChanged'", service.name,
                                      service.name);
        addMatch(sessionBus, rule);
        g_free(rule);
        active = screenSaverActive(sessionBus, service) || active;
    }
    return active;
}

} // namespace

bool watchSessionLock()
{
    const bool locked = watchLogind();
    return watchScreenSavers() || locked;
}
