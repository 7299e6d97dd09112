/* Gives headless sway's seat a pointer and drives it:
 *   virtual_pointer [move DX DY | wheel | button | sleep MS]...
 * Headless sway has no pointer device of its own, so without this no pointer
 * event ever reaches a client. */
#define _POSIX_C_SOURCE 200809L

#include "virtual-pointer-client-protocol.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

static struct zwlr_virtual_pointer_manager_v1* manager;

static void onGlobal(void* data, struct wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void onGlobalRemove(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

static uint32_t nowMs(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (uint32_t)(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

int main(int argc, char** argv)
{
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fputs("virtual_pointer: no compositor\n", stderr);
        return 2;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &registryListener, NULL);
    wl_display_roundtrip(display);
    if (!manager) {
        fputs("virtual_pointer: the compositor offers no virtual pointer\n", stderr);
        return 2;
    }
    struct zwlr_virtual_pointer_v1* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, NULL);
    /* Clients bind the new pointer only now; give them a "sleep" before input. */
    wl_display_roundtrip(display);
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "move") == 0 && i + 2 < argc) {
            zwlr_virtual_pointer_v1_motion(pointer, nowMs(), wl_fixed_from_int(atoi(argv[i + 1])),
                                           wl_fixed_from_int(atoi(argv[i + 2])));
            i += 2;
        } else if (strcmp(argv[i], "wheel") == 0) {
            zwlr_virtual_pointer_v1_axis(pointer, nowMs(), WL_POINTER_AXIS_VERTICAL_SCROLL, wl_fixed_from_int(10));
        } else if (strcmp(argv[i], "button") == 0) {
            zwlr_virtual_pointer_v1_button(pointer, nowMs(), 0x110 /* BTN_LEFT */, WL_POINTER_BUTTON_STATE_PRESSED);
            zwlr_virtual_pointer_v1_frame(pointer);
            zwlr_virtual_pointer_v1_button(pointer, nowMs(), 0x110, WL_POINTER_BUTTON_STATE_RELEASED);
        } else if (strcmp(argv[i], "sleep") == 0 && i + 1 < argc) {
            struct timespec pause = {0, 0};
            const long ms = atol(argv[++i]);
            pause.tv_sec = ms / 1000;
            pause.tv_nsec = (ms % 1000) * 1000000L;
            nanosleep(&pause, NULL);
            continue;
        } else {
            fprintf(stderr, "virtual_pointer: cannot read '%s'\n", argv[i]);
            return 2;
        }
        zwlr_virtual_pointer_v1_frame(pointer);
        wl_display_roundtrip(display);
    }
    wl_display_disconnect(display);
    return 0;
}
