#pragma once

#include "about/about_layout.h"

// A push button's press and click, as a Windows button keeps them, for a
// window system that has no buttons of its own. Mouse input means the left
// button and key input the space bar; the caller filters out the rest.
enum class ButtonInput { MousePress,
                         MouseMove,
                         MouseRelease,
                         SpacePress,
                         SpaceRelease,
                         FocusLost };

// Mouse input carries the pointer's window coordinates.
struct ButtonEvent {
    ButtonInput input;
    int x = 0;
    int y = 0;
};

struct ButtonResult {
    bool redraw = false; // the look may have changed
    bool click = false;  // the button's action is due
};

class PushButton {
public:
    explicit PushButton(const AboutRect& rect);

    ButtonResult handle(const ButtonEvent& event);

    bool drawnPressed() const { return (mouseHeld_ && mouseInside_) || spaceHeld_; }
    bool focused() const { return focused_; }
    bool spaceHeld() const { return spaceHeld_; }

private:
    bool inside(int x, int y) const;

    AboutRect rect_;
    bool mouseHeld_ = false; // the press began on the button
    bool mouseInside_ = false;
    bool spaceHeld_ = false;
    bool focused_ = false;
};
