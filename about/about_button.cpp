#include "about/about_button.h"

PushButton::PushButton(const AboutRect& rect)
    : rect_(rect)
{
}

bool PushButton::inside(int x, int y) const
{
    return x >= rect_.x && x < rect_.x + rect_.width && y >= rect_.y && y < rect_.y + rect_.height;
}

ButtonResult PushButton::handle(const ButtonEvent& event)
{
    ButtonResult result;
    switch (event.input) {
    case ButtonInput::MousePress:
        if (inside(event.x, event.y)) {
            mouseHeld_ = mouseInside_ = true;
            focused_ = true; // a clicked Windows button takes the focus
            result.redraw = true;
        }
        break;
    case ButtonInput::MouseMove:
        if (mouseHeld_ && inside(event.x, event.y) != mouseInside_) {
            mouseInside_ = !mouseInside_;
            result.redraw = true;
        }
        break;
    case ButtonInput::MouseRelease:
        if (mouseHeld_) {
            result.click = inside(event.x, event.y);
            mouseHeld_ = mouseInside_ = false;
            result.redraw = true;
        }
        break;
    case ButtonInput::SpacePress:
        // Only a focused button takes Space; Escape and Enter do nothing, as
        // in a plain window that is no dialog.
        if (focused_ && !spaceHeld_) {
            spaceHeld_ = true;
            result.redraw = true;
        }
        break;
    case ButtonInput::SpaceRelease:
        if (spaceHeld_) {
            spaceHeld_ = false;
            result.redraw = result.click = true;
        }
        break;
    case ButtonInput::FocusLost:
        if (spaceHeld_) {
            spaceHeld_ = false;
            result.redraw = true;
        }
        break;
    }
    return result;
}
