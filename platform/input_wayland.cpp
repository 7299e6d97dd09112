#include "platform/backend_wayland.h"

#include "base/render_settings.h"

#include <unistd.h>

namespace {

// Input: a key or a button pressed ends the run, as on every other platform.
// A release never does: it can only be of one held since before the saver
// took the keyboard or pointer.

void onPointerEnter(void*, wl_pointer* pointer, uint32_t serial, wl_surface*, wl_fixed_t, wl_fixed_t)
{
    if (!renderSettings.showCursor)
        wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
}

void onPointerLeave(void*, wl_pointer*, uint32_t, wl_surface*)
{
}

void onPointerMotion(void*, wl_pointer*, uint32_t, wl_fixed_t, wl_fixed_t)
{
}

void onPointerButton(void*, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t state)
{
    if (state == WL_POINTER_BUTTON_STATE_PRESSED)
        wayland.closeRequested = true;
}

void onPointerAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t)
{
}

void onPointerFrame(void*, wl_pointer*)
{
}

void onPointerAxisSource(void*, wl_pointer*, uint32_t)
{
}

void onPointerAxisStop(void*, wl_pointer*, uint32_t, uint32_t)
{
}

void onPointerAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t)
{
}

const wl_pointer_listener pointerListener = {onPointerEnter, onPointerLeave, onPointerMotion, onPointerButton,
                                             onPointerAxis, onPointerFrame, onPointerAxisSource, onPointerAxisStop, onPointerAxisDiscrete, nullptr};

void onKeymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t)
{
    close(fd); // any key ends the run, so no keymap is read
}

void onKeyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*)
{
}

void onKeyboardLeave(void*, wl_keyboard*, uint32_t, wl_surface*)
{
}

void onKey(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t state)
{
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED)
        wayland.closeRequested = true;
}

void onModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t)
{
}

void onRepeatInfo(void*, wl_keyboard*, int32_t, int32_t)
{
}

const wl_keyboard_listener keyboardListener = {onKeymap, onKeyboardEnter, onKeyboardLeave, onKey, onModifiers,
                                               onRepeatInfo};

// From version 3 on the compositor keeps an input object until it is released.
void dropPointer()
{
    const bool release = wl_pointer_get_version(wayland.pointer) >= WL_POINTER_RELEASE_SINCE_VERSION;
    (release ? wl_pointer_release : wl_pointer_destroy)(wayland.pointer);
    wayland.pointer = nullptr;
}

void dropKeyboard()
{
    const bool release = wl_keyboard_get_version(wayland.keyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION;
    (release ? wl_keyboard_release : wl_keyboard_destroy)(wayland.keyboard);
    wayland.keyboard = nullptr;
}

void onSeatCapabilities(void*, wl_seat* seat, uint32_t capabilities)
{
    const bool pointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
    const bool keyboard = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
    if (pointer && !wayland.pointer) {
        wayland.pointer = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(wayland.pointer, &pointerListener, nullptr);
    } else if (!pointer && wayland.pointer) {
        dropPointer();
    }
    if (keyboard && !wayland.keyboard) {
        wayland.keyboard = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(wayland.keyboard, &keyboardListener, nullptr);
    } else if (!keyboard && wayland.keyboard) {
        dropKeyboard();
    }
}

void onSeatName(void*, wl_seat*, const char*)
{
}

const wl_seat_listener seatListener = {onSeatCapabilities, onSeatName};

} // namespace

void waylandWatchSeat()
{
    wl_seat_add_listener(wayland.seat, &seatListener, nullptr);
}

void waylandDropInput()
{
    if (wayland.pointer)
        dropPointer();
    if (wayland.keyboard)
        dropKeyboard();
}
