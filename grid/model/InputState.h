// InputState: the keyboard modifiers and the primary mouse button as the
// grid's input handling reads them while it handles a message. One
// replaceable function gives them, so that tests can stand in for the
// keyboard and the mouse.
#pragma once

struct InputState {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool primaryButton = false;  // the left button, or the right one when swapped
};

using InputStateFunction = InputState (*)();

// The state as of the message being handled (GetKeyState), or as the
// installed function says.
InputState CurrentInputState();
// Installs a function (null: the system's); returns the previous one.
InputStateFunction SetInputStateFunction(InputStateFunction function);
