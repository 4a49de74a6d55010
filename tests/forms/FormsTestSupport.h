// Helpers of the forms tests: deterministic message pumping, keys delivered
// to the focused window as the message loop would deliver them, and a
// scripted message box.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include <windows.h>

#include "MsgBox.h"

namespace formstest {

// Wide text as UTF-8 for doctest's messages.
inline std::string Narrow(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

// Handles every pending message of the thread, never waiting.
inline void PumpMessages()
{
    MSG msg;
    for (int guard = 0; guard < 100000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Holds Shift down in this thread's key state for a scope.
class ShiftHeld {
public:
    ShiftHeld()
    {
        GetKeyboardState(saved_);
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_SHIFT] = 0x80;
        SetKeyboardState(state);
    }
    ~ShiftHeld() { SetKeyboardState(saved_); }
    ShiftHeld(const ShiftHeld&) = delete;
    ShiftHeld& operator=(const ShiftHeld&) = delete;

private:
    BYTE saved_[256];
};

// Posts a key press (down, translated character, up) to the focused window
// and handles it.
inline void PressKey(UINT vk)
{
    HWND target = GetFocus();
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, 0xC0000001);
    PumpMessages();
}

// Types characters into the focused window, one WM_CHAR each.
inline void Type(const std::wstring& text)
{
    for (wchar_t ch : text) {
        PostMessageW(GetFocus(), WM_CHAR, ch, 1);
        PumpMessages();
    }
}

// Answers message boxes from a script and records what they said.
class MsgBoxScript {
public:
    struct Shown {
        std::wstring text;
        int style;
        std::wstring title;
    };

    explicit MsgBoxScript(std::deque<int> answers = {}) : answers_(std::move(answers))
    {
        previous_ = hv::forms::SetMsgBoxHandler(
            [this](HWND, const std::wstring& text, int style, const std::wstring& title) {
                shown.push_back({text, style, title});
                if (answers_.empty())
                    return static_cast<int>(hv::forms::MsgOk);
                const int answer = answers_.front();
                answers_.pop_front();
                return answer;
            });
    }
    ~MsgBoxScript() { hv::forms::SetMsgBoxHandler(std::move(previous_)); }
    MsgBoxScript(const MsgBoxScript&) = delete;
    MsgBoxScript& operator=(const MsgBoxScript&) = delete;

    std::vector<Shown> shown;

private:
    std::deque<int> answers_;
    hv::forms::MsgBoxHandler previous_;
};

} // namespace formstest
