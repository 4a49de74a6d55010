// Control base: placement, common properties and the keyboard, focus and
// cursor handling shared by every control window.
#include "Control.h"

#include <vector>

#include "Container.h"
#include "Form.h"
#include "MousePointer.h"

namespace hv::forms {

namespace {

constexpr const wchar_t* kControlProp = L"HvFormsControl";
constexpr UINT_PTR kSubclassId = 0x4856;  // one subclass of ours per window

} // namespace

Control::Control(Container& parent, const TwipsRect& place)
    : parent_(parent), form_(parent.OwnerForm()), place_(place)
{
}

Control::~Control()
{
    // Windows still alive (a control destroyed before its form) go with it.
    HWND outer = hwnd_;
    if (focusHwnd_ && focusHwnd_ != hwnd_)
        Detach(focusHwnd_);
    if (outer) {
        Detach(outer);
        DestroyWindow(outer);
    }
}

Control* Control::FromHandle(HWND hwnd)
{
    return hwnd ? static_cast<Control*>(GetPropW(hwnd, kControlProp)) : nullptr;
}

HWND Control::CreateChild(const wchar_t* className, DWORD style, DWORD exStyle, const wchar_t* text)
{
    return CreateWindowExW(exStyle, className, text, style | WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE,
                           TwipsToPixelsX(place_.left), TwipsToPixelsY(place_.top),
                           TwipsToPixelsX(place_.width), TwipsToPixelsY(place_.height),
                           parent_.ClientWindow(), nullptr, GetModuleHandleW(nullptr), nullptr);
}

void Control::Attach(HWND hwnd, HWND focusHwnd)
{
    hwnd_ = hwnd;
    focusHwnd_ = focusHwnd ? focusHwnd : hwnd;
    for (HWND w : {hwnd_, focusHwnd_}) {
        SetPropW(w, kControlProp, this);
        SetWindowSubclass(w, &Control::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
        SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(form_.Font()), FALSE);
    }
    form_.ControlAttached(*this);
}

void Control::Detach(HWND hwnd)
{
    RemoveWindowSubclass(hwnd, &Control::SubclassProc, kSubclassId);
    RemovePropW(hwnd, kControlProp);
    if (hwnd == hwnd_)
        hwnd_ = nullptr;
    if (hwnd == focusHwnd_)
        focusHwnd_ = nullptr;
}

void Control::ApplyPlacement()
{
    if (hwnd_)
        MoveWindow(hwnd_, TwipsToPixelsX(place_.left), TwipsToPixelsY(place_.top),
                   TwipsToPixelsX(place_.width), TwipsToPixelsY(place_.height), TRUE);
}

void Control::SetLeft(int twips) { place_.left = twips; ApplyPlacement(); }
void Control::SetTop(int twips) { place_.top = twips; ApplyPlacement(); }
void Control::SetWidth(int twips) { place_.width = twips; ApplyPlacement(); }
void Control::SetHeight(int twips) { place_.height = twips; ApplyPlacement(); }

void Control::Move(int left, int top, int width, int height)
{
    place_ = {left, top, width, height};
    ApplyPlacement();
}

void Control::SetVisible(bool visible)
{
    visible_ = visible;
    if (hwnd_)
        ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Control::Enabled() const
{
    return hwnd_ && IsWindowEnabled(hwnd_);
}

void Control::SetEnabled(bool enabled)
{
    if (!hwnd_)
        return;
    EnableWindow(hwnd_, enabled);
    if (focusHwnd_ != hwnd_)
        EnableWindow(focusHwnd_, enabled);
}

std::wstring Control::Caption() const
{
    if (!hwnd_)
        return {};
    const int length = GetWindowTextLengthW(hwnd_);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    const int got = GetWindowTextW(hwnd_, buffer.data(), length + 1);
    return std::wstring(buffer.data(), static_cast<size_t>(got));
}

void Control::SetCaption(const std::wstring& caption)
{
    if (hwnd_)
        SetWindowTextW(hwnd_, caption.c_str());
}

void Control::SetMousePointer(int pointer)
{
    mousePointer_ = pointer;
    form_.RefreshCursor();
}

void Control::ZOrder(int position)
{
    if (hwnd_)
        SetWindowPos(hwnd_, position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool Control::SetFocus()
{
    return form_.FocusControl(*this);
}

bool Control::HasFocus() const
{
    HWND focus = GetFocus();
    return focus && (focus == focusHwnd_ || focus == hwnd_ || IsChild(hwnd_, focus));
}

bool Control::CanFocusNow() const
{
    if (!IsFocusable() || !hwnd_ || !IsWindowVisible(focusHwnd_))
        return false;
    for (HWND w = focusHwnd_; w; w = GetParent(w)) {
        if (!IsWindowEnabled(w))
            return false;
        if (w == form_.ClientWindow())
            break;
    }
    return true;
}

bool Control::OnChar(int& ch)
{
    // A single-line box has nothing to do with Enter; no beep for it.
    return ch != '\r';
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR refData)
{
    auto* self = reinterpret_cast<Control*>(refData);
    try {
        return self->HandleSubclassed(hwnd, msg, wParam, lParam);
    } catch (...) {
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
}

LRESULT Control::HandleSubclassed(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (PreviewMessage(hwnd, msg, wParam, lParam, result))
        return result;
    const bool focusWindow = hwnd == focusHwnd_;
    switch (msg) {
    case WM_SETCURSOR: {
        const int pointer = mousePointer_ != 0 ? mousePointer_ : form_.MousePointer();
        if (HCURSOR cursor = CursorForPointer(pointer)) {
            SetCursor(cursor);
            return TRUE;
        }
        break;
    }
    case WM_SETFOCUS:
        if (focusWindow) {
            result = DefSubclassProc(hwnd, msg, wParam, lParam);
            if (!form_.IsLoaded())
                return result;  // the form is going: no more events
            form_.ControlGotFocus(*this);
            OnGotFocus();
            if (GotFocus)
                GotFocus();
            return result;
        }
        break;
    case WM_KILLFOCUS:
        if (focusWindow) {
            result = DefSubclassProc(hwnd, msg, wParam, lParam);
            if (!form_.IsLoaded())
                return result;
            OnLostFocus();
            form_.ControlLostFocus(*this, reinterpret_cast<HWND>(wParam));
            if (LostFocus)
                LostFocus();
            return result;
        }
        break;
    case WM_KEYDOWN:
        if (focusWindow && wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
            form_.MoveFocus(GetKeyState(VK_SHIFT) >= 0);
            return 0;
        }
        break;
    case WM_CHAR:
        if (focusWindow) {
            if (wParam == '\t')
                return 0;
            int ch = static_cast<int>(wParam);
            if (KeyPress)
                KeyPress(ch);
            if (ch == 0 || !hwnd_ || !OnChar(ch))
                return 0;
            wParam = static_cast<WPARAM>(ch);
        }
        break;
    case WM_NCDESTROY:
        Detach(hwnd);
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace hv::forms
