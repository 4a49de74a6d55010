// The reflector window: a child window between a container that does not
// reflect messages and a control window, which hands the notifications of
// the control's own child windows back to the control (message + 0x2000).
#pragma once

#include <windows.h>

class CControlEmbedding;

extern const wchar_t kReflectorWindowClass[];

// Added to a notification's number when it is handed to the control.
constexpr UINT kReflectedMessageOffset = 0x2000;

// A reflector window under parent at x, y with size, holding control (not
// owned) in its user data; visible asks for WS_VISIBLE. Null on failure.
HWND EnsureReflectWindowClass(bool visible, HWND parent, int x, int y, SIZE size, CControlEmbedding* control);

LRESULT CALLBACK ReflectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
