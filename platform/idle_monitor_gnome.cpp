#include "platform/idle_monitor.h"

#include <gio/gio.h>
#include <glib-unix.h>

#include <csignal>
#include <cstdio>
#include <vector>

namespace {

const char monitorName[] = "org.gnome.Mutter.IdleMonitor";
const char monitorPath[] = "/org/gnome/Mutter/IdleMonitor/Core";
const char monitorInterface[] = "org.gnome.Mutter.IdleMonitor";
// A saver asked to end finishes its frame and lets go of the display; one
// that has not ended by then is killed, and one that outlives even that is
// left behind, so stopping always ends.
const guint saverGraceMilliseconds = 2000;
const gint callTimeoutMilliseconds = 5000;
// Held by the one idle mode of a session: a second (the user service and one
// started by hand) would start a second saver at every idle period.
const char modeName[] = "quillomar.OnIdle";

struct IdleStarter {
    GMainLoop* loop;
    GDBusConnection* bus;
    std::uint64_t idleMilliseconds;
    std::vector<const char*> command;
    // Mutter keeps an idle watch and fires it once per idle period, after
    // any input resets it: the saver's own end by a key re-arms it.
    guint watch;
    GSubprocess* saver;
    guint grace;
    bool stopping;
    bool killed;
};

void say(const char* what, GError* error)
{
    std::fprintf(stderr, "quillomar: %s%s%s\n", what, error ? ": " : "", error ? error->message : "");
    if (error)
        g_error_free(error);
}

GVariant* callMonitor(IdleStarter* starter, const char* method, GVariant* parameters, const GVariantType* reply,
                      GError** error)
{
    return g_dbus_connection_call_sync(starter->bus, monitorName, monitorPath, monitorInterface, method, parameters,
                                       reply, G_DBUS_CALL_FLAGS_NO_AUTO_START, callTimeoutMilliseconds, nullptr,
                                       error);
}

// False when another idle mode holds the session; a bus that refuses names
// altogether does not stop this one.
bool isSessionsIdleMode(GDBusConnection* bus)
{
    const guint32 doNotQueue = 4, primaryOwner = 1;
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
        g_variant_new("(su)", modeName, doNotQueue), G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE,
        callTimeoutMilliseconds, nullptr, &error);
    if (!reply) {
        g_error_free(error);
        return true;
    }
    guint32 answer = 0;
    g_variant_get(reply, "(u)", &answer);
    g_variant_unref(reply);
    return answer == primaryOwner;
}

void addIdleWatch(IdleStarter* starter)
{
    GError* error = nullptr;
    GVariant* reply = callMonitor(starter, "AddIdleWatch",
                                  g_variant_new("(t)", static_cast<guint64>(starter->idleMilliseconds)),
                                  G_VARIANT_TYPE("(u)"), &error);
    if (!reply) {
        say("GNOME's idle monitor refused an idle watch", error);
        return;
    }
    g_variant_get(reply, "(u)", &starter->watch);
    g_variant_unref(reply);
}

void removeIdleWatch(IdleStarter* starter)
{
    if (!starter->watch || g_dbus_connection_is_closed(starter->bus))
        return;
    GError* error = nullptr;
    GVariant* reply = callMonitor(starter, "RemoveWatch", g_variant_new("(u)", starter->watch), nullptr, &error);
    if (reply)
        g_variant_unref(reply);
    else
        g_error_free(error); // gone with its monitor already
    starter->watch = 0;
}

void onSaverEnded(GObject*, GAsyncResult* result, gpointer data)
{
    auto* starter = static_cast<IdleStarter*>(data);
    g_subprocess_wait_finish(starter->saver, result, nullptr);
    g_clear_object(&starter->saver);
    if (starter->stopping)
        g_main_loop_quit(starter->loop);
}

void startSaver(IdleStarter* starter)
{
    GSubprocessLauncher* launcher = g_subprocess_launcher_new(G_SUBPROCESS_FLAGS_NONE);
    // A host's window in the environment would turn the full-screen run into
    // one drawn into that window.
    g_subprocess_launcher_unsetenv(launcher, "XSCREENSAVER_WINDOW");
    GError* error = nullptr;
    starter->saver = g_subprocess_launcher_spawnv(launcher, starter->command.data(), &error);
    g_object_unref(launcher);
    if (!starter->saver) {
        say("could not start the saver", error);
        return;
    }
    g_subprocess_wait_async(starter->saver, nullptr, onSaverEnded, starter);
}

void onWatchFired(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant* parameters,
                  gpointer data)
{
    auto* starter = static_cast<IdleStarter*>(data);
    if (!g_variant_is_of_type(parameters, G_VARIANT_TYPE("(u)")))
        return;
    guint id = 0;
    g_variant_get(parameters, "(u)", &id);
    // Fired again while a saver runs (the mouse moved, then nothing): that
    // run goes on, and no second one starts.
    if (id == 0 || id != starter->watch || starter->saver || starter->stopping)
        return;
    startSaver(starter);
}

gboolean onGraceOver(gpointer data)
{
    auto* starter = static_cast<IdleStarter*>(data);
    if (starter->saver && !starter->killed) {
        g_subprocess_force_exit(starter->saver);
        starter->killed = true;
        return G_SOURCE_CONTINUE;
    }
    starter->grace = 0;
    g_main_loop_quit(starter->loop);
    return G_SOURCE_REMOVE;
}

void stop(IdleStarter* starter)
{
    if (starter->stopping)
        return;
    starter->stopping = true;
    removeIdleWatch(starter);
    if (!starter->saver) {
        g_main_loop_quit(starter->loop);
        return;
    }
    g_subprocess_send_signal(starter->saver, SIGTERM);
    starter->grace = g_timeout_add(saverGraceMilliseconds, onGraceOver, starter);
}

gboolean onStopSignal(gpointer data)
{
    stop(static_cast<IdleStarter*>(data));
    return G_SOURCE_CONTINUE;
}

void onBusClosed(GDBusConnection*, gboolean, GError*, gpointer data)
{
    auto* starter = static_cast<IdleStarter*>(data);
    starter->watch = 0;
    stop(starter);
}

void onMonitorAppeared(GDBusConnection*, const gchar*, const gchar*, gpointer data)
{
    auto* starter = static_cast<IdleStarter*>(data);
    // A new monitor (GNOME Shell restarted on X11) knows none of the old watches.
    starter->watch = 0;
    if (!starter->stopping)
        addIdleWatch(starter);
}

void onMonitorVanished(GDBusConnection* bus, const gchar*, gpointer data)
{
    auto* starter = static_cast<IdleStarter*>(data);
    starter->watch = 0;
    if (!starter->stopping && bus && !g_dbus_connection_is_closed(bus))
        say("GNOME's idle monitor (org.gnome.Mutter.IdleMonitor) is not on the session bus; "
            "waiting for it (--on-idle works on GNOME only)",
            nullptr);
}

} // namespace

void runSaverOnGnomeIdle(std::uint64_t idleMilliseconds, const char* const* arguments)
{
    IdleStarter starter = {g_main_loop_new(nullptr, FALSE), nullptr, idleMilliseconds, {}, 0, nullptr, 0, false, false};
    // Before anything that takes time: a stop that comes meanwhile waits in
    // the loop instead of killing the process.
    guint signalSources[3];
    int n = 0;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        signalSources[n++] = g_unix_signal_add(signal, onStopSignal, &starter);

    GError* error = nullptr;
    // The saver is this very program, even where it came from PATH.
    gchar* self = g_file_read_link("/proc/self/exe", &error);
    if (self)
        starter.bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!self || !starter.bus) {
        say(self ? "--on-idle needs the session bus" : "cannot find the program itself", error);
    } else if (!isSessionsIdleMode(starter.bus)) {
        say("another quillomar --on-idle runs in this session already", nullptr);
        g_object_unref(starter.bus);
    } else {
        // GDBus would otherwise raise SIGTERM when the bus goes.
        g_dbus_connection_set_exit_on_close(starter.bus, FALSE);
        starter.command.push_back(self);
        for (; *arguments; ++arguments)
            starter.command.push_back(*arguments);
        starter.command.push_back(nullptr);
        const gulong closed = g_signal_connect(starter.bus, "closed", G_CALLBACK(onBusClosed), &starter);
        const guint fired = g_dbus_connection_signal_subscribe(starter.bus, monitorName, monitorInterface,
                                                               "WatchFired", monitorPath, nullptr,
                                                               G_DBUS_SIGNAL_FLAGS_NONE, onWatchFired, &starter,
                                                               nullptr);
        const guint named = g_bus_watch_name_on_connection(starter.bus, monitorName, G_BUS_NAME_WATCHER_FLAGS_NONE,
                                                           onMonitorAppeared, onMonitorVanished, &starter, nullptr);
        g_main_loop_run(starter.loop);
        g_bus_unwatch_name(named);
        g_dbus_connection_signal_unsubscribe(starter.bus, fired);
        g_signal_handler_disconnect(starter.bus, closed);
        g_object_unref(starter.bus);
    }
    if (starter.grace)
        g_source_remove(starter.grace);
    g_clear_object(&starter.saver);
    for (guint source : signalSources)
        g_source_remove(source);
    g_free(self);
    g_main_loop_unref(starter.loop);
}
