// KeyMessageSink: a key sink of the grid's input dispatcher. A class that
// handles both mouse and keys embeds it beside InputOperation. A handler
// sets handled when it took the message.
#pragma once

#include <windows.h>

class KeyMessageSink
{
public:
    virtual ~KeyMessageSink() = default;

    virtual LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam, bool& handled) { return Ignore(wParam, lParam, handled); }
    virtual LRESULT OnKeyUp(WPARAM wParam, LPARAM lParam, bool& handled) { return Ignore(wParam, lParam, handled); }
    virtual LRESULT OnChar(WPARAM wParam, LPARAM lParam, bool& handled) { return Ignore(wParam, lParam, handled); }
    virtual LRESULT OnDeadChar(WPARAM wParam, LPARAM lParam, bool& handled) { return Ignore(wParam, lParam, handled); }
    virtual LRESULT OnSysKeyDown(WPARAM wParam, LPARAM lParam, bool& handled) { return Ignore(wParam, lParam, handled); }
    virtual LRESULT OnSysKeyUp(WPARAM wParam, LPARAM lParam, bool& handled) { return Ignore(wParam, lParam, handled); }
    virtual LRESULT OnSysChar(WPARAM wParam, LPARAM lParam, bool& handled) { return Ignore(wParam, lParam, handled); }
    virtual LRESULT OnSysDeadChar(WPARAM wParam, LPARAM lParam, bool& handled)
    {
        return Ignore(wParam, lParam, handled);
    }

private:
    static LRESULT Ignore(WPARAM wParam, LPARAM lParam, bool& handled)
    {
        (void)wParam; (void)lParam; (void)handled;
        return 0;
    }
};
